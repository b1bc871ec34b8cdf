#include "GallerySections.h"

#include "widgets/QtMaterialFlatButton.h"
#include "widgets/QtMaterialIconButton.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTabs.h"
#include "widgets/QtMaterialTextField.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace GallerySections {
namespace {

const char* const clientStyleSheet = R"(
QFrame#clientLook { background-color: white; border-radius: 10px; }
QtMaterialTabs * { font-family: 'Segoe UI'; font-size: 12px; font-weight: normal; }
QtMaterialTab { qproperty-inkColor: #2196f3; qproperty-textColor: #333333; qproperty-tabBackgroundColor: #ffffff; }
QtMaterialRaisedButton { min-width: 200px; max-width: 200px; min-height: 25px; max-height: 25px;
    font-size: 12px; font-family: 'Segoe UI'; border-radius: 10px;
    qproperty-backgroundColor: #2196f3; qproperty-foregroundColor: white; }
QtMaterialRaisedButton[class="revertButton"] { qproperty-backgroundColor: transparent;
    qproperty-foregroundColor: #2196f3; }
QLineEdit { background-color: white; border: 2px solid #ddd; border-radius: 5px; padding: 8px; font-size: 12px; }
QLineEdit:focus { border-color: #2196F3; }
)";

QIcon drawnIcon()
{
    // A bell-like glyph drawn here so the gallery needs no image files of its own.
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(12, 8, 24, 28), 12, 12);
    painter.drawRect(QRectF(8, 30, 32, 6));
    painter.drawEllipse(QRectF(19, 37, 10, 8));
    return QIcon(pixmap);
}

QLabel* caption(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font(label->font());
    font.setBold(true);
    label->setFont(font);
    return label;
}

QWidget* section(const QString& title, QGridLayout*& grid)
{
    auto* frame = new QFrame;
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(caption(title));
    grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    layout->addLayout(grid);
    layout->addStretch(1);
    return frame;
}

} // namespace

QWidget* raisedButtons(QList<QWidget*>& focused)
{
    QGridLayout* grid = nullptr;
    QWidget* frame = section(QStringLiteral("Raised buttons"), grid);
    const QList<QPair<QString, Material::Role>> roles{{QStringLiteral("Default"), Material::Default},
                                                      {QStringLiteral("Primary"), Material::Primary},
                                                      {QStringLiteral("Secondary"), Material::Secondary}};
    for (int row = 0; row < roles.size(); ++row) {
        auto* enabled = new QtMaterialRaisedButton(roles[row].first);
        enabled->setRole(roles[row].second);
        auto* disabled = new QtMaterialRaisedButton(roles[row].first + QStringLiteral(" off"));
        disabled->setRole(roles[row].second);
        disabled->setEnabled(false);
        auto* checked = new QtMaterialRaisedButton(QStringLiteral("Checked"));
        checked->setRole(roles[row].second);
        checked->setCheckable(true);
        checked->setChecked(true);
        grid->addWidget(enabled, row, 0);
        grid->addWidget(disabled, row, 1);
        grid->addWidget(checked, row, 2);
    }
    auto* haloOn = new QtMaterialRaisedButton(QStringLiteral("Focused, halo on"));
    haloOn->setRole(Material::Primary);
    focused << haloOn;
    auto* haloOff = new QtMaterialRaisedButton(QStringLiteral("Focused, halo off"));
    haloOff->setRole(Material::Primary);
    haloOff->setHaloVisible(false);
    focused << haloOff;
    auto* withIcon = new QtMaterialRaisedButton(QStringLiteral("Icon"));
    withIcon->setIcon(drawnIcon());
    withIcon->setIconSize(QSize(18, 18));
    grid->addWidget(haloOn, 3, 0);
    grid->addWidget(haloOff, 3, 1);
    grid->addWidget(withIcon, 3, 2);
    return frame;
}

QWidget* flatButtons(QList<QWidget*>& focused)
{
    QGridLayout* grid = nullptr;
    QWidget* frame = section(QStringLiteral("Flat buttons"), grid);
    const QList<QPair<QString, Material::Role>> roles{{QStringLiteral("Default"), Material::Default},
                                                      {QStringLiteral("Primary"), Material::Primary},
                                                      {QStringLiteral("Secondary"), Material::Secondary}};
    for (int column = 0; column < roles.size(); ++column) {
        auto* enabled = new QtMaterialFlatButton(roles[column].first, roles[column].second);
        auto* disabled =
            new QtMaterialFlatButton(roles[column].first + QStringLiteral(" off"), roles[column].second);
        disabled->setEnabled(false);
        auto* checked = new QtMaterialFlatButton(QStringLiteral("Checked"), roles[column].second);
        checked->setCheckable(true);
        checked->setChecked(true);
        grid->addWidget(enabled, 0, column);
        grid->addWidget(disabled, 1, column);
        grid->addWidget(checked, 2, column);
    }
    auto* focusedFlat = new QtMaterialFlatButton(QStringLiteral("Focused"), Material::Primary);
    focused << focusedFlat;
    auto* left = new QtMaterialFlatButton(QStringLiteral("Left, icon right"), Material::Secondary);
    left->setTextAlignment(Qt::AlignLeft);
    left->setIcon(drawnIcon());
    left->setIconPlacement(Material::RightIcon);
    left->setMinimumWidth(200);
    auto* tinted = new QtMaterialFlatButton(QStringLiteral("Tinted overlay"), Material::Primary);
    tinted->setOverlayStyle(Material::TintedOverlay);
    grid->addWidget(focusedFlat, 3, 0);
    grid->addWidget(left, 3, 1);
    grid->addWidget(tinted, 3, 2);
    return frame;
}

QWidget* iconButtons()
{
    QGridLayout* grid = nullptr;
    QWidget* frame = section(QStringLiteral("Icon buttons"), grid);
    const QIcon bell(QStringLiteral(":/images/notification.svg"));
    auto* themed = new QtMaterialIconButton(bell);
    auto* red = new QtMaterialIconButton(bell);
    red->setColor(Qt::red);
    auto* disabled = new QtMaterialIconButton(bell);
    disabled->setEnabled(false);
    auto* large = new QtMaterialIconButton(drawnIcon());
    large->setIconSize(QSize(36, 36));
    large->setColor(QColor(0x21, 0x96, 0xf3));
    const QList<QPair<QString, QWidget*>> items{{QStringLiteral("theme"), themed},
                                                {QStringLiteral("red"), red},
                                                {QStringLiteral("disabled"), disabled},
                                                {QStringLiteral("36 px"), large}};
    for (int column = 0; column < items.size(); ++column) {
        grid->addWidget(items[column].second, 0, column, Qt::AlignCenter);
        grid->addWidget(new QLabel(items[column].first), 1, column, Qt::AlignCenter);
    }
    return frame;
}

QWidget* textFields(QList<QWidget*>& focused)
{
    QGridLayout* grid = nullptr;
    QWidget* frame = section(QStringLiteral("Text fields"), grid);
    auto* empty = new QtMaterialTextField;
    empty->setPlaceholderText(QStringLiteral("Empty, no focus"));
    auto* filled = new QtMaterialTextField;
    filled->setText(QStringLiteral("With text"));
    auto* focusedField = new QtMaterialTextField;
    focusedField->setPlaceholderText(QStringLiteral("Focused"));
    focused << focusedField;
    auto* disabled = new QtMaterialTextField;
    disabled->setText(QStringLiteral("Disabled"));
    disabled->setEnabled(false);
    auto* password = new QtMaterialTextField;
    password->setEchoMode(QLineEdit::Password);
    password->setText(QStringLiteral("secret"));
    password->setInkColor(Qt::red);
    const QList<QWidget*> fields{empty, filled, focusedField, disabled, password};
    for (int i = 0; i < fields.size(); ++i)
        grid->addWidget(fields[i], i / 2, i % 2);
    return frame;
}

QWidget* tabs()
{
    QGridLayout* grid = nullptr;
    QWidget* frame = section(QStringLiteral("Tabs"), grid);
    auto* three = new QtMaterialTabs;
    for (const QString& text : {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")})
        three->addTab(text);
    three->setCurrentTab(1);
    auto* icons = new QtMaterialTabs;
    icons->setHaloVisible(false);
    icons->addTab(QStringLiteral("Bell"), drawnIcon());
    icons->addTab(QStringLiteral("Bell"), drawnIcon());
    icons->setInkColor(Qt::white);
    auto* single = new QtMaterialTabs;
    single->addTab(QStringLiteral("Single tab, halo on"));
    grid->addWidget(three, 0, 0);
    grid->addWidget(icons, 1, 0);
    grid->addWidget(single, 2, 0);
    return frame;
}

QWidget* clientLook()
{
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("clientLook"));
    frame->setStyleSheet(QString::fromLatin1(clientStyleSheet));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(caption(QStringLiteral("As the client sets them (halo hidden, its style sheet)")));

    auto* row = new QHBoxLayout;
    auto* header = new QtMaterialTabs;
    header->setHaloVisible(false);
    header->addTab(QStringLiteral("Информация"));
    header->addTab(QStringLiteral("Уведомления"));
    auto* bell = new QtMaterialIconButton(QIcon(QStringLiteral(":/images/notification.svg")));
    bell->setColor(Qt::red);
    row->addWidget(header, 1);
    row->addStretch(1);
    row->addWidget(bell);
    layout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    auto* refresh = new QtMaterialRaisedButton(QStringLiteral("Обновить список"));
    refresh->setHaloVisible(false);
    auto* revert = new QtMaterialRaisedButton(QStringLiteral("Настроить адрес"));
    revert->setProperty("class", QStringLiteral("revertButton"));
    revert->setHaloVisible(false);
    auto* disabled = new QtMaterialRaisedButton(QStringLiteral("Обновить информацию"));
    disabled->setHaloVisible(false);
    disabled->setEnabled(false);
    for (QWidget* widget :
         {static_cast<QWidget*>(refresh), static_cast<QWidget*>(revert), static_cast<QWidget*>(disabled)})
        buttons->addWidget(widget);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto* login = new QtMaterialTextField;
    login->setPlaceholderText(QStringLiteral("Логин"));
    login->setText(QStringLiteral("admin"));
    layout->addWidget(login);
    return frame;
}

} // namespace GallerySections
