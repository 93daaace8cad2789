#include "ui/SpokenText.h"

#include "ui/Accessible.h"

#include <QAccessible>

#include <utility>

namespace vrim {

SpokenText::SpokenText(QWidget *parent, std::function<QString()> text)
    : QWidget(parent)
    , m_text(std::move(text))
{
    accessible::install();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void SpokenText::refresh()
{
    if (!accessible::listening())
        return;
    const QString now = text();
    if (now == m_told)
        return;
    m_told = now;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleValueChangeEvent value(this, now);
    QAccessible::updateAccessibility(&value);
}

} // namespace vrim
