#include "cli/ListerMessages.h"

#include "listing/ListingTexts.h"

#include <cstdlib>
#include <string_view>

namespace quiverel::cli {
namespace {

struct MessageTexts {
    Message message;
    const char* english;
    const char* japanese;
};

// One row per message, both languages side by side; the Japanese of the window's own messages
// comes from the window's texts.
constexpr MessageTexts messageTable[] = {
    {Message::NothingFound, "no files were found to list", quiverel::texts::noFilesFound},
    {Message::BadTarget, "a path given could not be listed", quiverel::texts::badTarget},
    {Message::PathPassedOver, "'{1}': {2}; passed over", "'{1}': {2}; ｽｷｯﾌﾟしました"},
    {Message::FailedPath, "'{1}': {2}", "'{1}': {2}"},
    {Message::StampsPassedOverOne, "1 file passed over, its time stamp could not be read:",
     "1 個のﾌｧｲﾙをｽｷｯﾌﾟしました。ﾀｲﾑｽﾀﾝﾌﾟを読めません:"},
    {Message::StampsPassedOverMany, "{1} files passed over, their time stamps could not be read:",
     "{1} 個のﾌｧｲﾙをｽｷｯﾌﾟしました。ﾀｲﾑｽﾀﾝﾌﾟを読めません:"},
    {Message::CannotWrite, "cannot write the output: {1}", "出力を書き込めません: {1}"},
    {Message::CannotReadPathList, "cannot read the paths from '{1}': {2}",
     "'{1}' からﾊﾟｽを読めません: {2}"},
    {Message::InvalidOption, "invalid option '{1}'", "不明なｵﾌﾟｼｮﾝ '{1}'"},
    {Message::MissingValue, "option '{1}' requires an argument", "ｵﾌﾟｼｮﾝ '{1}' には値が必要です"},
    {Message::InvalidValue, "invalid argument '{1}' for '{2}'", "'{2}' の値 '{1}' は使えません"},
    {Message::UnusablePattern, "unusable pattern '{1}'", "ﾊﾟﾀｰﾝ '{1}' は使えません"},
    {Message::InvalidColumns, "invalid column list '{1}'", "列の指定 '{1}' は使えません"},
    {Message::NotWithJson, "'{1}' cannot be used with '--format=json'",
     "'{1}' は '--format=json' と一緒に使えません"},
    {Message::NoPath, "no PATH given", "PATH がありません"},
    {Message::UsageHint,
     "Usage: quiverel2000-list [OPTION]... PATH...\n"
     "Try 'quiverel2000-list --help' for more information.\n",
     "使い方: quiverel2000-list [OPTION]... PATH...\n"
     "詳しくは 'quiverel2000-list --help' を見てください。\n"},
};

const char* firstSet(std::initializer_list<const char*> values) {
    for (const char* value : values) {
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "";
}

} // namespace

Language languageOf(const char* lcAll, const char* lcMessages, const char* lang) {
    const std::string_view locale = firstSet({lcAll, lcMessages, lang});
    const bool japanese = locale.starts_with("ja") && (locale.size() == 2 || locale[2] == '_' ||
                                                       locale[2] == '.' || locale[2] == '@');
    return japanese ? Language::Japanese : Language::English;
}

Language userLanguage() {
    static const Language language =
        languageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    return language;
}

std::string messageText(Language language, Message message,
                        const std::vector<std::string_view>& values) {
    std::string_view text;
    for (const MessageTexts& row : messageTable) {
        if (row.message == message) {
            text = language == Language::Japanese ? row.japanese : row.english;
        }
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t number = i + 2 < text.size() && text[i] == '{' && text[i + 2] == '}'
                                       ? static_cast<std::size_t>(text[i + 1] - '1')
                                       : values.size();
        if (number < values.size()) {
            out += values.begin()[number];
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace quiverel::cli
