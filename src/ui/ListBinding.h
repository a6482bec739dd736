#pragma once

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QObject>
#include <functional>

namespace tv::ui {

// A list box shows its selected row in the highlight colour whether or not
// it has the focus; the toolkit's own look for an unfocused list is a faint
// tint that hides which song plays.
void highlightWithoutFocus(QAbstractItemView *view);

// Binds a view to a list model of the logic (ListBox or PlayListModel): the
// view's current row follows ListIndex, selected, and a row the user picks
// becomes ListIndex. A row the view only marks as current (as it does for
// the first row when it takes the focus) selects nothing.
template <class Model> void bindListIndex(QAbstractItemView *view, Model *model) {
    view->setModel(model);
    highlightWithoutFocus(view);
    QItemSelectionModel *selection = view->selectionModel();
    auto showIndex = [view, model, selection] {
        const int i = model->ListIndex();
        const QModelIndex index = i >= 0 ? model->index(i, 0) : QModelIndex();
        if (view->currentIndex() != index || (index.isValid() && !selection->isSelected(index)))
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        if (index.isValid())
            view->scrollTo(index);
    };
    auto follow = [view, model, selection] {
        const QModelIndex current = view->currentIndex();
        if (!current.isValid())
            model->setListIndex(-1);
        else if (selection->isSelected(current))
            model->setListIndex(current.row());
    };
    QObject::connect(model, &Model::listIndexChanged, view, showIndex);
    QObject::connect(model, &QAbstractItemModel::modelReset, view, showIndex);
    QObject::connect(selection, &QItemSelectionModel::currentChanged, model, follow);
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, model, follow);
    showIndex();
}

// The key code the handlers know for a toolkit key (8 Backspace, 13 Enter,
// 27 Esc, 33-36 Page Up, Page Down, End, Home, 37-40 the arrows, 46 Delete,
// the character code for letters and digits, 0 for the rest).
int vbKeyCode(int qtKey);

// Hands a list's key events to the window's handlers: keyDown for every key
// going down, keyPress for one that types a character, keyUp with the key
// code when it is released (auto-repeat releases are not releases).
class ListKeys : public QObject {
    Q_OBJECT
public:
    explicit ListKeys(QObject *parent) : QObject(parent) {}

    std::function<void()> keyDown;
    std::function<void()> keyPress;
    std::function<void(int)> keyUp;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tv::ui
