#include "fetchprogress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QSplashScreen>

namespace {
QSplashScreen *startupSplash()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *splash = qobject_cast<QSplashScreen *>(widget))
            return splash;
    }
    return nullptr;
}
}

FetchProgress::FetchProgress(QWidget *parent, int delayMs, const QString &text)
    : m_parent(parent)
    , m_splash(startupSplash())
    , m_text(text)
{
    m_delay.setSingleShot(true);
    connect(&m_delay, &QTimer::timeout, this, &FetchProgress::openWindow);
    m_delay.start(delayMs);
}

FetchProgress::~FetchProgress() = default;

void FetchProgress::show(const QString &text, int done, int total)
{
    m_text = text;
    m_done = done;
    m_total = total;
    if (m_splash)
        m_splash->showMessage(text, Qt::AlignHCenter | Qt::AlignBottom);
    if (m_window) {
        m_window->setLabelText(text);
        m_window->setMaximum(total);
        m_window->setValue(done);
    }
}

void FetchProgress::openWindow()
{
    m_window.reset(new QProgressDialog(m_text, QCoreApplication::translate("dialog", "Cancel"), 0, m_total, m_parent));
    m_window->setWindowTitle(QCoreApplication::translate("dialog", "Calibration catalogue"));
    m_window->setWindowModality(Qt::ApplicationModal);
    m_window->setWindowFlag(Qt::WindowStaysOnTopHint); // above the splash screen
    m_window->setAutoReset(false);
    m_window->setAutoClose(false);
    m_window->setValue(m_done);
    connect(m_window.get(), &QProgressDialog::canceled, this, &FetchProgress::cancelled);
    m_window->show();
}
