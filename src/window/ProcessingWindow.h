#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quiverel {

// The small window that shows while a long batch runs, with the number of files found so far
// and a button that cancels the batch. Closing it cancels too.
class ProcessingWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProcessingWindow(QWidget* parent = nullptr);

    // Shows the window (when hidden) with the count of files found so far.
    void showProgress(long long filesFound);
    // The batch has ended: hides the window and readies it for the next batch.
    void finish();

    void reject() override;

signals:
    void cancelRequested();

private:
    void requestCancel();

    QLabel* m_found;
    QPushButton* m_cmdCancel;
};

} // namespace quiverel
