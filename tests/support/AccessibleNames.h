#pragma once

// What assistive technology finds in a window: the interactive controls whose accessible name
// is empty or only blanks (full-width ones included), each as "role objectName".

#include <QAccessible>
#include <QAccessibleInterface>
#include <QStringList>
#include <QWidget>

namespace quiverel::testing {

inline bool isInteractive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Table:
    case QAccessible::Grouping:
        return true;
    default:
        return false;
    }
}

inline void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed) {
    if (!node || !node->isValid() || node->state().invisible) {
        return;
    }
    const QAccessible::Role role = node->role();
    if (isInteractive(role) && node->text(QAccessible::Name).simplified().isEmpty()) {
        const QObject* object = node->object();
        unnamed << QString("%1 %2").arg(role).arg(object ? object->objectName() : QString());
    }
    // The cells of a table are its data, named by their texts.
    if (role == QAccessible::Table) {
        return;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        collectUnnamed(node->child(i), unnamed);
    }
}

inline QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(&window), unnamed);
    return unnamed;
}

} // namespace quiverel::testing
