#include "help/HelpMenuWindow.h"

#include "base/Geometry.h"
#include "base/WindowNames.h"
#include "help/HelpPage.h"
#include "ui/Colours.h"

#include <QLabel>
#include <QPushButton>

namespace vrim {
namespace {

constexpr ColourValue LightYellow = rgbValue(255, 255, 192);

QString s(const char *text) { return QString::fromLatin1(text); }

} // namespace

const std::vector<HelpMenuWindow::Row> &HelpMenuWindow::rows()
{
    static const std::vector<Row> all{
        {240, s("About Vrim Cloks"), {}}, {615, s("Ostrana"), s("Ostrana")},
        {1005, s("Quenz"), s("quenz")},   {1410, s("lumbo"), s("lumbo")},
        {1800, s("dov"), s("dov")},       {2205, s("Vrim"), s("Vrimcolor")},
        {2595, s("Gantos"), s("ganto")},  {2985, s("norvi"), s("norvi")},
        {3375, s("Jolvex"), s("Jolvex")}, {3780, s("Mip "), s("Mip")},
        {4185, s("Perrin"), s("Perrin")},
    };
    return all;
}

HelpMenuWindow::HelpMenuWindow(WindowRegistry &registry)
    : VrimWindow(registry, window::HelpMenu, Qt::Window)
{
    setWindowTitle(QStringLiteral("Help"));
    closeOnEscape();
    resize(twipsRect(0, 0, 1860, 4680).size());
    move(twipsToPixels(9540), twipsToPixels(1785));

    auto *exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Command1"));
    exit->setGeometry(twipsRect(0, 0, 705, 255));
    connect(exit, &QPushButton::clicked, this, [this] { this->registry().unload(windowName()); });
    auto *back = new QPushButton(QStringLiteral("Back"), this);
    back->setObjectName(QStringLiteral("Command2"));
    back->setGeometry(twipsRect(720, 0, 705, 255));
    connect(back, &QPushButton::clicked, this, [this] {
        this->registry().show(window::Launcher);
        this->registry().unload(windowName());
    });

    int index = 0;
    for (const Row &row : rows()) {
        ++index;
        auto *bar = new QWidget(this);
        bar->setObjectName(QStringLiteral("Row%1").arg(index));
        bar->setGeometry(twipsRect(0, row.top, 1815, 405));
        QPalette fill = bar->palette();
        fill.setColor(QPalette::Window, toQColor(LightYellow));
        bar->setPalette(fill);
        bar->setAutoFillBackground(true);
        auto *button = new QPushButton(bar);
        button->setObjectName(QStringLiteral("Button%1").arg(index));
        button->setGeometry(twipsRect(60, 90, 135, 165));
        button->setAccessibleName(row.label); // the small button says nothing itself
        auto *label = new QLabel(row.label, bar);
        label->setObjectName(QStringLiteral("Label%1").arg(index));
        label->move(twipsToPixels(300), twipsToPixels(90));
        label->adjustSize();
        const QString key = row.key;
        connect(button, &QPushButton::clicked, this, [this, key] {
            if (key.isEmpty())
                this->registry().show(window::About);
            else
                showHelpPage(this->registry(), key);
            this->registry().unload(windowName());
        });
    }
}

} // namespace vrim
