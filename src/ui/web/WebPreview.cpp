#include "ui/web/WebPreview.h"

#include <QVBoxLayout>
#include <QWebEngineView>

WebPreview::WebPreview(QWidget* parent)
    : QWidget(parent)
{
    // Until a page is shown, the place it will take is drawn as an empty page.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void WebPreview::navigate(const QString& address)
{
    if (!m_browser) {
        m_browser = new QWebEngineView(this);
        m_browser->setObjectName(objectName() + QStringLiteral("_browser"));
        layout()->addWidget(m_browser);
        connect(m_browser, &QWebEngineView::loadFinished, this, &WebPreview::loadFinished);
    }
    m_address = address;
    m_url = QUrl::fromUserInput(address);
    if (!m_url.isValid())
        m_url = QUrl(QStringLiteral("about:blank"));
    m_browser->setUrl(m_url);
}
