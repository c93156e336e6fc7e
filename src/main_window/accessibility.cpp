#include "main_window/accessibility.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <climits>

namespace naklon {
namespace {

QString spoken(const QString &caption)
{
    return caption.trimmed();
}

// The controls of the window itself: dialogs it owns are windows of their
// own, named by Qt.
template <typename T>
QList<T *> controlsOf(QWidget *window)
{
    QList<T *> own;
    const auto all = window->findChildren<T *>();
    for (T *control : all) {
        if (control->window() == window)
            own.append(control);
    }
    return own;
}

int horizontalOverlap(const QRect &a, const QRect &b)
{
    return std::min(a.right(), b.right()) - std::max(a.left(), b.left()) + 1;
}

QList<QLabel *> labelsBeside(const QWidget *control)
{
    return control->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
}

// The label of an edit field stands above it: of the labels of the same
// group that end above the field and share columns with it, the nearest, and
// of equally near ones the one sharing most columns.
QLabel *labelAbove(const QWidget *field)
{
    const QRect place = field->geometry();
    QLabel *best = nullptr;
    int bestGap = INT_MAX;
    int bestOverlap = 0;
    for (QLabel *label : labelsBeside(field)) {
        const QRect caption = label->geometry();
        const int gap = place.top() - caption.bottom();
        const int overlap = horizontalOverlap(place, caption);
        if (gap <= 0 || overlap <= 0 || spoken(label->text()).isEmpty())
            continue;
        if (gap < bestGap || (gap == bestGap && overlap > bestOverlap)) {
            best = label;
            bestGap = gap;
            bestOverlap = overlap;
        }
    }
    return best;
}

// A class list has its letter on the left and its caption on the right, on
// its own row: the labels whose middle lies within the list's height.
struct RowLabels {
    QLabel *left = nullptr;
    QLabel *right = nullptr;
};

RowLabels labelsOnRow(const QWidget *list)
{
    const QRect place = list->geometry();
    RowLabels row;
    for (QLabel *label : labelsBeside(list)) {
        const QRect caption = label->geometry();
        const int middle = caption.center().y();
        if (middle < place.top() || middle > place.bottom() || spoken(label->text()).isEmpty())
            continue;
        if (caption.left() > place.right()) {
            if (!row.right || caption.left() < row.right->geometry().left())
                row.right = label;
        } else if (caption.right() < place.left()) {
            if (!row.left || caption.right() > row.left->geometry().right())
                row.left = label;
        }
    }
    return row;
}

void nameFieldsFromBuddies(QWidget *window)
{
    const auto labels = controlsOf<QLabel>(window);
    for (QLabel *label : labels) {
        if (auto *field = qobject_cast<QLineEdit *>(label->buddy()))
            field->setAccessibleName(spoken(label->text()));
    }
}

void nameList(QComboBox *list, const QString &name)
{
    list->setAccessibleName(name);
    // An editable list takes the focus in its edit part.
    if (QLineEdit *edit = list->lineEdit())
        edit->setAccessibleName(name);
}

} // namespace

void nameControlsFromCaptions(QWidget *window)
{
    const auto fields = controlsOf<QLineEdit>(window);
    for (QLineEdit *field : fields) {
        if (qobject_cast<QComboBox *>(field->parentWidget()))
            continue;
        if (QLabel *label = labelAbove(field))
            label->setBuddy(field);
    }
    nameFieldsFromBuddies(window);

    const auto lists = controlsOf<QComboBox>(window);
    for (QComboBox *list : lists) {
        const RowLabels row = labelsOnRow(list);
        QLabel *caption = row.right ? row.right : row.left;
        if (!caption) {
            // An editable list without a label shows its prompt in its edit
            // part at start ("Угол (град)" on "Отрыв"): the prompt names it.
            if (list->accessibleName().isEmpty() && list->isEditable())
                nameList(list, spoken(list->currentText()));
            continue;
        }
        for (QLabel *label : {row.left, row.right}) {
            if (label)
                label->setBuddy(list);
        }
        nameList(list, spoken(caption->text()));
    }

    const auto buttons = controlsOf<QAbstractButton>(window);
    for (QAbstractButton *button : buttons) {
        if (!spoken(button->text()).isEmpty())
            button->setAccessibleName(spoken(button->text()));
    }

    const auto histories = controlsOf<QPlainTextEdit>(window);
    for (QPlainTextEdit *history : histories) {
        if (auto *group = qobject_cast<QGroupBox *>(history->parentWidget()))
            history->setAccessibleName(spoken(group->title()));
    }

    const auto tabControls = controlsOf<QTabWidget>(window);
    for (QTabWidget *tabs : tabControls) {
        tabs->setAccessibleName(spoken(window->windowTitle()));
        tabs->tabBar()->setAccessibleName(spoken(window->windowTitle()));
    }

    // An option may relabel a field of its page in its own clicked handler,
    // connected before this one; the field's name follows its label.
    const auto options = controlsOf<QRadioButton>(window);
    for (QRadioButton *option : options)
        QObject::connect(option, &QAbstractButton::clicked, window, [window] { nameFieldsFromBuddies(window); });
}

} // namespace naklon
