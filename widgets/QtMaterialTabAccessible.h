#pragma once

#include <QAccessibleWidget>

class QtMaterialTab;

// A tab as a screen reader knows tabs: a page tab, selected while it is the current one, that
// can be pressed. Its bar is a page-tab list. Drawn as flat buttons, they would otherwise be
// heard as push buttons.
class QtMaterialTabAccessible : public QAccessibleWidget
{
public:
    explicit QtMaterialTabAccessible(QtMaterialTab* tab);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Makes tabs and bars answer with these roles; once per process, before the first tab exists.
    static void install();

private:
    QtMaterialTab* tab() const;
};
