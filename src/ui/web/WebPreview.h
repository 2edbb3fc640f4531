#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;
class QWebEngineView;

// A web page shown inside a window (the weather box, a radio station's page or stream). The
// browser engine is large and starts processes of its own, so it is loaded (from the browser
// module, see BrowserFactory.h) and created on the first navigate(), not with the window: the
// program's start, the main menu and a window that never shows a page never load it. Destroying
// the preview ends the page, and with it any sound it plays.
class WebPreview : public QWidget
{
    Q_OBJECT
public:
    explicit WebPreview(QWidget* parent = nullptr);

    // Goes to `address` as stored or typed: a full address, one without its scheme
    // ("www.example.it"), or a file path. An address that cannot be read shows an empty page.
    void navigate(const QString& address);

    // The address last given to navigate(), and where the browser was sent for it.
    const QString& address() const { return m_address; }
    QUrl url() const { return m_url; }

    // The browser, once navigate() has created it; null before (and without the browser module).
    QWebEngineView* browser() const;

signals:
    void loadFinished(bool ok);

private:
    QWebEngineView* m_view = nullptr;
    QWidget* m_browser = nullptr; // the same view, as a widget
    QLabel* m_missing = nullptr;
    QString m_address;
    QUrl m_url;
};
