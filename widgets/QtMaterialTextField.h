#pragma once

#include <QColor>
#include <QEasingCurve>
#include <QLineEdit>

class QPropertyAnimation;

// A frameless line edit with a bottom input line and an ink bar that grows while it has focus.
class QtMaterialTextField : public QLineEdit
{
    Q_OBJECT

    Q_PROPERTY(QColor textColor WRITE setTextColor READ textColor)
    Q_PROPERTY(QColor labelColor WRITE setLabelColor READ labelColor)
    Q_PROPERTY(QColor inkColor WRITE setInkColor READ inkColor)
    Q_PROPERTY(QColor inputLineColor WRITE setInputLineColor READ inputLineColor)
    Q_PROPERTY(bool useThemeColors WRITE setUseThemeColors READ useThemeColors)
    Q_PROPERTY(bool showInputLine WRITE setShowInputLine READ hasInputLine)
    Q_PROPERTY(bool showLabel WRITE setShowLabel READ hasLabel)
    Q_PROPERTY(QString label WRITE setLabel READ label)
    Q_PROPERTY(qreal labelFontSize WRITE setLabelFontSize READ labelFontSize)
    Q_PROPERTY(qreal progress WRITE setProgress READ progress)

public:
    explicit QtMaterialTextField(QWidget* parent = nullptr);

    void setUseThemeColors(bool value);
    bool useThemeColors() const { return themeColors; }
    void setTextColor(const QColor& color);
    QColor textColor() const;
    void setLabelColor(const QColor& color);
    QColor labelColor() const;
    void setInkColor(const QColor& color);
    QColor inkColor() const;
    void setInputLineColor(const QColor& color);
    QColor inputLineColor() const;

    void setShowInputLine(bool value);
    bool hasInputLine() const { return inputLine; }
    void setShowLabel(bool value);
    bool hasLabel() const { return labelShown; }
    void setLabel(const QString& text);
    QString label() const { return labelText; }
    void setLabelFontSize(qreal size);
    qreal labelFontSize() const { return labelSize; }

    // 0 without focus, 1 with; animated in between.
    qreal progress() const { return focusProgress; }
    void setProgress(qreal progress);
    QPropertyAnimation* progressAnimation() const { return animation; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void animateProgressTo(qreal end, QEasingCurve::Type curve);
    void applyTextColor();
    void updateTextMargins();

    QPropertyAnimation* const animation;
    QColor storedText;
    QColor storedLabel;
    QColor storedInk;
    QColor storedInputLine;
    QString labelText;
    qreal labelSize = 9.5;
    qreal focusProgress = 0;
    bool themeColors = true;
    bool inputLine = true;
    bool labelShown = false;
};
