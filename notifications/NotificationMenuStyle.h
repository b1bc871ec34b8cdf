#pragma once

#include <QString>

// The look shared by the table's two pop-up menus.
inline QString notificationMenuStyleSheet()
{
    return QStringLiteral(
        "QMenu {    background-color: #FFFFFF;    border: 1px solid #E0E0E0;    border-radius: 6px;"
        "    padding: 3px;}"
        "QMenu::item {    background-color: transparent;    padding: 5px 12px 5px 20px;"
        "    margin: 1px;    border-radius: 3px;    color: #424242;    font-size: 12px;}"
        "QMenu::item:selected {    background-color: #E3F2FD;    color: #1976D2;}"
        "QMenu::item:pressed {    background-color: #BBDEFB;}"
        "QMenu::separator {    height: 1px;    background-color: #E0E0E0;    margin: 3px 8px;}");
}
