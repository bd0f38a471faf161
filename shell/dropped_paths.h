#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace quillmoor {

// The full local paths among the links of a drop (text/uri-list), in their
// order, as the file system's own bytes. The bytes come straight from the
// link's percent-encoding, so a name that is not valid UTF-8 reaches the
// scanner unchanged. A link to another scheme, or to a file on another host,
// names nothing here and is left out.
std::vector<std::string> DroppedPaths(const QMimeData* mime);

}  // namespace quillmoor
