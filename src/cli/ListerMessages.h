#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quiverel::cli {

// The languages the lister's messages are written in.
enum class Language { English, Japanese };

// The language the locale asks for: the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty decides; Japanese when it names Japanese ("ja", "ja_JP.UTF-8"), English otherwise.
Language languageOf(const char* lcAll, const char* lcMessages, const char* lang);
// The same for this process's environment, looked up once.
Language userLanguage();

// Every message the lister writes on standard error.
enum class Message {
    NothingFound,
    BadTarget,
    PathPassedOver,       // {1} path, {2} the system's reason
    FailedPath,           // {1} path, {2} the system's reason
    StampsPassedOverOne,  // followed by the names
    StampsPassedOverMany, // {1} count; followed by the names
    CannotWrite,          // {1} the system's reason
    CannotReadPathList,   // {1} file, {2} the system's reason
    InvalidOption,        // {1} option
    MissingValue,         // {1} option
    InvalidValue,         // {1} value, {2} option
    UnusablePattern,      // {1} pattern
    InvalidColumns,       // {1} list
    NotWithJson,          // {1} option
    NoPath,
    UsageHint,
};

// The message in the language, its {1}, {2} … replaced by the values in order.
std::string messageText(Language language, Message message,
                        const std::vector<std::string_view>& values = {});

} // namespace quiverel::cli
