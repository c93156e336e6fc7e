#include "window_services/form_design.h"

#include "window_services/colours.h"
#include "window_services/font_stand_in.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace naklon {
namespace {

// The font `widget` is designed with, starting from `inherited`, the font its
// parent ends up with.
QFont designedFont(const QWidget *widget, const QFont &inherited, bool &named)
{
    const QVariant pixelSize = widget->property("fontPixelSize");
    named = pixelSize.isValid();
    if (!named)
        return widget->isWindow() ? widget->font() : inherited;
    QFont font = widget->isWindow() ? widget->font() : inherited;
    font.setPixelSize(pixelSize.toInt());
    if (widget->isWindow()) {
        // The family is set with the size, after the controls are built:
        // while they are built every control has the application's font, so
        // moving a page into the tab widget changes no control's font.
        font.setFamily(fontStandIn(widget->property("fontFamily").toString()));
        // Every font is regular, whatever weight or slant the desktop's own
        // font has: named here, it is no longer taken from the application.
        font.setWeight(QFont::Normal);
        font.setItalic(false);
    }
    return font;
}

// Children before their parent: a font set on a widget goes on to all of its
// children that do not name their own, so set top-down every widget would
// take (and re-lay out for) one font per ancestor. Set from the leaves up, a
// parent's font stops at children that already name the same font.
void applyFonts(QWidget *widget, const QFont &inherited)
{
    bool named = false;
    const QFont font = designedFont(widget, inherited, named);
    for (QObject *child : widget->children()) {
        if (auto *childWidget = qobject_cast<QWidget *>(child))
            applyFonts(childWidget, font);
    }
    if (named)
        widget->setFont(font);
}

void setTextColour(QPalette &palette, const QWidget *widget, const QColor &colour)
{
    // Only the caption of a group box takes its colour: its controls have
    // colours of their own.
    palette.setColor(QPalette::WindowText, colour);
    if (!qobject_cast<const QGroupBox *>(widget)) {
        palette.setColor(QPalette::Text, colour);
        palette.setColor(QPalette::ButtonText, colour);
    }
}

void setBackground(QPalette &palette, QWidget *widget, const QColor &colour)
{
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget)) {
        palette.setColor(QPalette::Base, colour);
    } else {
        palette.setColor(QPalette::Window, colour);
        widget->setAutoFillBackground(true);
    }
}

// Colours as fonts: each widget's palette starts from `inherited`, the one
// its parent ends up with, and is set before its parent's.
void applyColours(QWidget *widget, const QPalette &inherited, const QPalette &system)
{
    QPalette palette = widget->isWindow() ? widget->palette() : inherited;
    const QString textColour = widget->property("fontColour").toString();
    if (!textColour.isEmpty())
        setTextColour(palette, widget, namedColour(textColour, system));
    const QString background = widget->property("backgroundColour").toString();
    if (!background.isEmpty())
        setBackground(palette, widget, namedColour(background, system));
    for (QObject *child : widget->children()) {
        if (auto *childWidget = qobject_cast<QWidget *>(child))
            applyColours(childWidget, palette, system);
    }
    if (!textColour.isEmpty() || !background.isEmpty())
        widget->setPalette(palette);
}

} // namespace

void applyFormDesign(QWidget *root)
{
    applyFonts(root, root->font());
    applyColours(root, root->palette(), QPalette());
}

} // namespace naklon
