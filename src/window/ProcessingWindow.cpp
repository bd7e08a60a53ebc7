#include "window/ProcessingWindow.h"

#include "window/texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quiverel {

ProcessingWindow::ProcessingWindow(QWidget* parent)
    : QDialog(parent), m_found(new QLabel(this)), m_cmdCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmProcessing"));
    setWindowTitle(QString::fromUtf8(mainTexts::processingCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* label = new QLabel(QString::fromUtf8(mainTexts::processingLabel), this);
    label->setObjectName(QStringLiteral("lblProcessing"));
    label->setAlignment(Qt::AlignCenter);
    m_found->setObjectName(QStringLiteral("lblFound"));
    m_found->setAlignment(Qt::AlignCenter);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setText(QString::fromUtf8(mainTexts::processingCancel));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_found);
    layout->addLayout(buttons);
    setMinimumWidth(240);

    connect(m_cmdCancel, &QPushButton::clicked, this, &ProcessingWindow::requestCancel);
}

void ProcessingWindow::showProgress(long long filesFound) {
    m_found->setText(QString::fromUtf8(mainTexts::processingFound).arg(filesFound));
    if (isHidden()) {
        show();
    }
}

void ProcessingWindow::finish() {
    hide();
    m_cmdCancel->setEnabled(true);
}

void ProcessingWindow::reject() {
    requestCancel();
    QDialog::reject();
}

void ProcessingWindow::requestCancel() {
    // One click is enough: the batch stops at its next check.
    m_cmdCancel->setEnabled(false);
    emit cancelRequested();
}

} // namespace quiverel
