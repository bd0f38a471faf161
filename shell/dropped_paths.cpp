#include "dropped_paths.h"

#include <QMimeData>
#include <QSysInfo>
#include <QUrl>

namespace quillmoor {
namespace {

// File managers write "file:///path", "file://localhost/path" or, some of
// them, the machine's own name as the host; all three are this machine.
bool IsThisMachine(const QString& host) {
  return host.isEmpty() || host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 ||
         host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<std::string> DroppedPaths(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (mime == nullptr || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls()) {
    if (!url.isLocalFile() || !IsThisMachine(url.host())) continue;
    // QUrl::toLocalFile() would turn bytes that are not UTF-8 into U+FFFD and
    // keep a "localhost" host in the path; decoding the encoded path does
    // neither.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!bytes.isEmpty())
      paths.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return paths;
}

}  // namespace quillmoor
