#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QListView;

namespace tv {
class ListAlbomModel;
}

namespace tv::ui {

// The album-list window: a small always-on-top window with the albums, shown
// while the main window is hidden. It holds no rules; its events go to the
// model, which it owns. It deletes itself once it is unloaded.
class FrmListAlbom : public QWidget {
    Q_OBJECT
public:
    explicit FrmListAlbom(ListAlbomModel *model);
    ~FrmListAlbom() override;

    QListView *List1() const { return m_list; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void bindModel();
    void call(const std::function<void(ListAlbomModel &)> &handler);
    void unloaded();

    QPointer<ListAlbomModel> m_model;
    QListView *m_list;
    int m_calls = 0;
    bool m_unloaded = false;
};

// Keeps a window above every other window of every program, or lets it back
// among them. Call it before the window is shown.
void SetForm(QWidget *window, bool topmost);

} // namespace tv::ui
