#include "window_services/colours.h"

#include <algorithm>
#include <array>
#include <cmath>

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
    SystemColour{u"clInfoBk", QPalette::ToolTipBase},
};

QColor halfway(const QColor &from, const QColor &to)
{
    return QColor((from.red() + to.red()) / 2, (from.green() + to.green()) / 2, (from.blue() + to.blue()) / 2);
}

constexpr double kReadableContrast = 4.5;

// A title bar's colour from the desktop's highlight: the same hue, darkened
// step by step until the window colour reads on it.
QColor captionColour(const QColor &highlight, const QColor &captionText)
{
    QColor colour = highlight;
    for (int percent = 100; percent > 0 && contrastRatio(colour, captionText) < kReadableContrast; percent -= 5) {
        colour = QColor(highlight.red() * percent / 100, highlight.green() * percent / 100,
            highlight.blue() * percent / 100);
    }
    return colour;
}

// Every pairing of a text colour with what is behind it in the two windows
// where at least one of the two is a system colour; "button" is the face Qt
// draws push buttons, class lists and tabs with.
struct ColourPair {
    QStringView text;
    QStringView background;
};

constexpr std::array kTextPairs{
    ColourPair{u"clWindowText", u"clBtnFace"},
    ColourPair{u"clWindowText", u"clInfoBk"},
    ColourPair{u"clWindowText", u"clMoneyGreen"},
    ColourPair{u"clWindowText", u"clSkyBlue"},
    ColourPair{u"clWindowText", u"clSilver"},
    ColourPair{u"clWindowText", u"clWindow"},
    ColourPair{u"clWindowText", u"button"},
    ColourPair{u"clBlack", u"clBtnFace"},
    ColourPair{u"clBlack", u"clInfoBk"},
    ColourPair{u"clBlack", u"clGradientActiveCaption"},
    ColourPair{u"clBlack", u"clWindow"},
    ColourPair{u"clBlack", u"button"},
    ColourPair{u"clWindow", u"clActiveCaption"},
};

QColor pairColour(QStringView name, const QPalette &palette)
{
    if (name == u"button")
        return palette.color(QPalette::Active, QPalette::Button);
    return namedColour(name, palette);
}

} // namespace

QColor namedColour(QStringView name, const QPalette &system)
{
    for (const auto &colour : kFixedColours) {
        if (colour.name == name)
            return QColor(colour.value);
    }
    if (name == u"clActiveCaption")
        return captionColour(system.color(QPalette::Active, QPalette::Highlight),
            system.color(QPalette::Active, QPalette::Base));
    for (const auto &colour : kSystemColours) {
        if (colour.name == name)
            return system.color(QPalette::Active, colour.role);
    }
    // The second colour of an active title bar's gradient: no palette role
    // has it, so it is the highlight lightened towards the window colour.
    if (name == u"clGradientActiveCaption")
        return halfway(system.color(QPalette::Active, QPalette::Highlight),
            system.color(QPalette::Active, QPalette::Base));
    return {};
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QPalette classicPalette()
{
    const QColor face(212, 208, 200);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor shadow(128, 128, 128);
    const QColor navy(10, 36, 106);
    QPalette palette(black, face, white, shadow, QColor(160, 160, 160), black, white, white, face);
    palette.setColor(QPalette::ButtonText, black);
    palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
    palette.setColor(QPalette::Highlight, navy);
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::PlaceholderText, shadow);
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::LinkVisited, QColor(128, 0, 128));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, shadow);
    return palette;
}

QPalette programPalette(const QPalette &desktop)
{
    for (const auto &pair : kTextPairs) {
        if (contrastRatio(pairColour(pair.text, desktop), pairColour(pair.background, desktop)) < kReadableContrast)
            return classicPalette();
    }
    return desktop;
}

} // namespace naklon
