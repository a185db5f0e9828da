#include "result_codes.h"

#include <figplot/host_api.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace figcli {

std::string ResultMeaning(int code) {
    switch (code) {
        case ResultDone: return "done";
        case ResultBadParameters:
            return "bad parameters (too few; a picture parameter that is not a picture; a width or height below 1; "
                   "a command list that is unknown, has fewer than 7 columns or no lines; an empty path)";
        case ResultNoMemory: return "no memory";
        case ResultEmptyPicture: return "empty picture (the picture parameter holds no picture)";
        case ResultFileFailure: return "file write failure (the bitmap file could not be created or written)";
        default: return "a code figPlot does not document";
    }
}

namespace {

constexpr int kCommandListColumns = 7;

std::string ListCause(const figsim::Value &name, figsim::Host &host) {
    const std::string listName = figsim::Utf32ToUtf8(name.text);
    const figsim::List *list = name.kind == figsim::Value::Kind::Text ? host.FindList(listName) : nullptr;
    if (!list) return "there is no list named '" + listName + "'";
    if (list->columnNames.size() < kCommandListColumns)
        return "the list '" + listName + "' has " + std::to_string(list->columnNames.size()) +
               " columns; a command list needs at least 7";
    if (list->lines.empty()) return "the list '" + listName + "' has no lines";
    return "";
}

// The first parameter that shows why the external answered 2, or empty.
std::string BadParameterCause(const FunctionEntry &f, const std::vector<figsim::Value> &params, figsim::Host &host) {
    if (static_cast<int>(params.size()) < f.required)
        return f.name + " needs " + std::to_string(f.required) + " parameters, " + std::to_string(params.size()) +
               " given";
    for (size_t i = 0; i < params.size() && i < f.params.size(); ++i) {
        const std::string &name = f.params[i];
        const figsim::Value &v = params[i];
        if ((name == "width" || name == "height") && v.number < 1)
            return name + " is below 1";
        if (name == "outputPath" && v.text.empty()) return "the output path is empty";
        if (name == "drawCmdsListname") {
            const std::string cause = ListCause(v, host);
            if (!cause.empty()) return cause;
        }
    }
    return "";
}

bool IsFolder(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Why the file at `path` cannot be written, as the system tells it, or empty.
std::string FileCause(const std::string &path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return "cannot write " + path + ": " + std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return "cannot write " + path + ": " + std::strerror(ENOTDIR);
    if (IsFolder(path)) return "cannot write " + path + ": " + std::strerror(EISDIR);
    const bool exists = access(path.c_str(), F_OK) == 0;
    if (exists ? access(path.c_str(), W_OK) != 0 : access(folder.c_str(), W_OK | X_OK) != 0)
        return "cannot write " + path + ": " + std::strerror(EACCES);
    return "";
}

std::string OutputPath(const FunctionEntry &f, const std::vector<figsim::Value> &params) {
    for (size_t i = 0; i < params.size() && i < f.params.size(); ++i)
        if (f.params[i] == "outputPath") return figsim::Utf32ToUtf8(params[i].text);
    return "";
}

std::string Short(int code) {
    switch (code) {
        case ResultBadParameters: return "bad parameters";
        case ResultFileFailure: return "file write failure";
        default: return ResultMeaning(code);
    }
}

}  // namespace

std::string ExplainResult(int code, const FunctionEntry &f, const std::vector<figsim::Value> &params, figsim::Host &host) {
    std::string cause;
    if (code == ResultBadParameters) cause = BadParameterCause(f, params, host);
    if (code == ResultFileFailure) cause = FileCause(OutputPath(f, params));
    return cause.empty() ? ResultMeaning(code) : Short(code) + ": " + cause;
}

}  // namespace figcli
