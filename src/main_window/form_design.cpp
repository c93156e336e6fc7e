#include "main_window/form_design.h"

#include "main_window/colours.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace naklon {
namespace {

void applyFont(QWidget *widget)
{
    const QVariant pixelSize = widget->property("fontPixelSize");
    if (!pixelSize.isValid())
        return;
    QFont font = widget->font();
    font.setPixelSize(pixelSize.toInt());
    if (widget->isWindow()) {
        // Every font is regular, whatever weight or slant the desktop's own
        // font has: named here, it is no longer taken from the application.
        font.setWeight(QFont::Normal);
        font.setItalic(false);
    }
    widget->setFont(font);
}

void applyTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    // Only the caption of a group box takes its colour: its controls have
    // colours of their own.
    palette.setColor(QPalette::WindowText, colour);
    if (!qobject_cast<QGroupBox *>(widget)) {
        palette.setColor(QPalette::Text, colour);
        palette.setColor(QPalette::ButtonText, colour);
    }
    widget->setPalette(palette);
}

void applyBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget)) {
        palette.setColor(QPalette::Base, colour);
    } else {
        palette.setColor(QPalette::Window, colour);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

void applyColours(QWidget *widget, const QPalette &system)
{
    const QString textColour = widget->property("fontColour").toString();
    if (!textColour.isEmpty())
        applyTextColour(widget, namedColour(textColour, system));
    const QString background = widget->property("backgroundColour").toString();
    if (!background.isEmpty())
        applyBackground(widget, namedColour(background, system));
}

// Parents before children, so that a child's font starts from its parent's.
void applyTree(QWidget *widget, const QPalette &system)
{
    applyFont(widget);
    applyColours(widget, system);
    for (QObject *child : widget->children()) {
        if (auto *childWidget = qobject_cast<QWidget *>(child))
            applyTree(childWidget, system);
    }
}

} // namespace

void applyFormDesign(QWidget *root)
{
    applyTree(root, QPalette());
}

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
}

QPoint placedInside(const QRect &frame, const QRect &area)
{
    const auto axis = [](int start, int length, int areaStart, int areaLength) {
        if (length >= areaLength)
            return areaStart;
        return std::clamp(start, areaStart, areaStart + areaLength - length);
    };
    return {axis(frame.x(), frame.width(), area.x(), area.width()),
            axis(frame.y(), frame.height(), area.y(), area.height())};
}

void keepOnScreen(QWidget *window)
{
    const QPoint place = window->pos();
    QScreen *screen = QGuiApplication::screenAt(place);
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QSize frame = window->frameGeometry().size() - window->size();
    if (!window->testAttribute(Qt::WA_WState_Created) || frame.isNull()) {
        const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QSize(2 * border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border);
    }
    if (window->minimumSize() != window->maximumSize()) {
        const QSize room = area.size() - frame;
        if (window->width() > room.width() || window->height() > room.height())
            window->resize(window->size().boundedTo(room));
    }
    window->move(placedInside(QRect(place, window->size() + frame), area));
}

} // namespace naklon
