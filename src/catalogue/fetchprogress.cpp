// SPDX-License-Identifier: MIT
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
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(100);
    connect(&m_refresh, &QTimer::timeout, this, [this] {
        if (m_stale)
            present();
    });
}

// The splash screen stays up after the fetch, so it keeps the last count, not a stale one.
FetchProgress::~FetchProgress()
{
    if (m_stale)
        showOnSplash();
}

void FetchProgress::show(const QString &text, int done, int total)
{
    m_text = text;
    m_done = done;
    m_total = total;
    m_stale = true;
    if (!m_refresh.isActive())
        present();
}

void FetchProgress::present()
{
    m_stale = false;
    m_refresh.start();
    showOnSplash();
    if (m_window) {
        m_window->setLabelText(m_text);
        m_window->setMaximum(m_total);
        m_window->setValue(m_done);
    }
}

void FetchProgress::showOnSplash()
{
    if (m_splash)
        m_splash->showMessage(m_text, Qt::AlignHCenter | Qt::AlignBottom, Qt::white); // on the image's dark blue
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
