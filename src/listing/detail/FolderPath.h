#pragma once

#include <string>
#include <string_view>

namespace quiverel {

// The text of a folder as the search writes it in front of a name: the path without trailing
// separators ("/" too on Windows), except the root, which stays "/" ("\" on Windows; a drive's
// root "C:\" gives "C:"). An empty path stays empty.
std::string folderText(std::string_view folder);

// Turns a folder text into the path of one of its entries: appends the separator and the name,
// never doubling the separator (the root "/" and "a" give "/a").
void appendName(std::string& folderText, std::string_view name);

// folder text + separator + name, as appendName builds it.
std::string childPath(std::string_view folderText, std::string_view name);

} // namespace quiverel
