// SPDX-License-Identifier: MIT
#ifndef FETCHPROGRESS_H
#define FETCHPROGRESS_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>

class QProgressDialog;
class QSplashScreen;
class QWidget;

// What the user sees of a catalogue fetch: the count on start-up's splash screen from the
// start and, since the splash screen takes no click, a window with the count and Cancel once
// the fetch has run for the delay. A quick fetch never pays for laying that window out, and
// the count is painted at most ten times a second: on a slow link, painting it for every file
// cost more than the program's own work for the request, and nobody reads it faster.
class FetchProgress : public QObject
{
    Q_OBJECT

public:
    // Until the first show(), the window says text.
    FetchProgress(QWidget *parent, int delayMs, const QString &text);
    ~FetchProgress() override;

    // done of total files are in; text says what is being fetched now.
    void show(const QString &text, int done, int total);

signals:
    void cancelled();

private:
    void openWindow();
    void present();
    void showOnSplash();

    QWidget *m_parent;
    QPointer<QSplashScreen> m_splash;
    QTimer m_delay;
    QTimer m_refresh; // runs while the count shown is fresh
    bool m_stale = false;
    std::unique_ptr<QProgressDialog> m_window;
    QString m_text;
    int m_done = 0;
    int m_total = 0;
};

#endif
