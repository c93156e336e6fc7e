#include "main_window/colours.h"

#include <array>

namespace naklon {
namespace {

struct FixedColour {
    QStringView name;
    QRgb value;
};

constexpr std::array kFixedColours{
    FixedColour{u"clMoneyGreen", qRgb(192, 220, 192)},
    FixedColour{u"clSkyBlue", qRgb(166, 202, 240)},
    FixedColour{u"clTeal", qRgb(0, 128, 128)},
    FixedColour{u"clGray", qRgb(128, 128, 128)},
    FixedColour{u"clSilver", qRgb(192, 192, 192)},
    FixedColour{u"clBlack", qRgb(0, 0, 0)},
    FixedColour{u"clWhite", qRgb(255, 255, 255)},
};

struct SystemColour {
    QStringView name;
    QPalette::ColorRole role;
};

constexpr std::array kSystemColours{
    SystemColour{u"clBtnFace", QPalette::Window},
    SystemColour{u"clWindow", QPalette::Base},
    SystemColour{u"clWindowText", QPalette::WindowText},
    SystemColour{u"clActiveCaption", QPalette::Highlight},
    SystemColour{u"clInfoBk", QPalette::ToolTipBase},
};

QColor halfway(const QColor &from, const QColor &to)
{
    return QColor((from.red() + to.red()) / 2, (from.green() + to.green()) / 2, (from.blue() + to.blue()) / 2);
}

} // namespace

QColor namedColour(QStringView name, const QPalette &system)
{
    for (const auto &colour : kFixedColours) {
        if (colour.name == name)
            return QColor(colour.value);
    }
    for (const auto &colour : kSystemColours) {
        if (colour.name == name)
            return system.color(QPalette::Active, colour.role);
    }
    // The second colour of an active title bar's gradient: no palette role
    // has it, so it is the highlight lightened towards the window colour.
    if (name == u"clGradientActiveCaption")
        return halfway(system.color(QPalette::Active, QPalette::Highlight), system.color(QPalette::Active, QPalette::Base));
    return {};
}

} // namespace naklon
