#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace vrim {

// A named control of the given kind at its place in its window (logical pixels). The windows
// laid out from fixed tables make their controls this way, so tests find them by name.
template <typename Control>
Control *placeControl(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

inline QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &text)
{
    auto *label = placeControl<QLabel>(parent, name, geometry);
    label->setText(text);
    return label;
}

inline QPushButton *makeButton(QWidget *parent, const QString &name, const QRect &geometry,
                               const QString &text)
{
    auto *button = placeControl<QPushButton>(parent, name, geometry);
    button->setText(text);
    // Enter on a focused button presses that button, as in any dialog.
    button->setAutoDefault(true);
    return button;
}

// A field that only shows a value: nothing typed into it is ever used.
inline QLineEdit *makeShowingField(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *field = placeControl<QLineEdit>(parent, name, geometry);
    field->setReadOnly(true);
    return field;
}

} // namespace vrim
