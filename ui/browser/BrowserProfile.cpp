#include "ui/browser/BrowserProfile.h"

#include "ui/Fonts.h"

#include <QCoreApplication>
#include <QMutex>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace ui {
namespace {

QMutex g_refusedLock;
QList<QUrl> g_refused;

class OfflineInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (isLocalUrl(info.requestUrl())) return;
        info.block(true);
        QMutexLocker locker(&g_refusedLock);
        g_refused.append(info.requestUrl());
    }
};

void applySettings(QWebEngineSettings* settings) {
    settings->setFontFamily(QWebEngineSettings::StandardFont, kSansFace);
    settings->setFontFamily(QWebEngineSettings::SansSerifFont, kSansFace);
    settings->setFontFamily(QWebEngineSettings::SerifFont, kSerifFace);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
}

} // namespace

bool isLocalUrl(const QUrl& url) {
    static const QStringList local = {QStringLiteral("file"), QStringLiteral("cid"),   QStringLiteral("data"),
                                      QStringLiteral("blob"), QStringLiteral("about"), QStringLiteral("qrc")};
    return local.contains(url.scheme().toLower());
}

QWebEngineProfile* offlineProfile() {
    static QWebEngineProfile* profile = nullptr;
    if (profile) return profile;
    profile = new QWebEngineProfile(QCoreApplication::instance()); // no storage name: off the record
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setSpellCheckEnabled(false);
    profile->setUrlRequestInterceptor(new OfflineInterceptor(profile));
    applySettings(profile->settings());
    return profile;
}

QList<QUrl> refusedRequests() {
    QMutexLocker locker(&g_refusedLock);
    return g_refused;
}

} // namespace ui
