#pragma once

#include <QList>
#include <QUrl>

class QWebEngineProfile;

namespace ui {

// The one browser profile of the program: off the record (nothing on disk), no network — every
// request that is not for a local file or a part of a loaded archive is refused — and document
// fonts mapped to the SC faces. Created on first use; owned by the application object.
QWebEngineProfile* offlineProfile();

// Every request refused so far.
QList<QUrl> refusedRequests();

// Whether a URL may be loaded: local files and archive parts only.
bool isLocalUrl(const QUrl& url);

} // namespace ui
