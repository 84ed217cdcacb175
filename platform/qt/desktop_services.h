// The desktop's handlers: opening a web address or a file with the program the user
// chose for it, and the help, which opens by topic number.
#pragma once

#include <string>

#include "platform/qt/message_service.h"

namespace kvx {

class TDesktop {
public:
    virtual ~TDesktop() = default;
    // Opens a URL (or a file as "file://…") with the desktop's handler; false when
    // the desktop could not.
    virtual bool OpenUrl(const std::string& url);
    bool OpenFile(const std::string& path);
};

// The help files: an HTML folder shipped beside the program, one page per topic
// number ("1020.html") and a contents page ("index.html"). Without it the user learns
// which topic was asked for and where the help was looked for.
class THelp {
public:
    THelp(std::string helpFolder, TDesktop& desktop, TMessageService& messages)
        : folder_(std::move(helpFolder)), desktop_(desktop), messages_(messages) {}
    const std::string& Folder() const { return folder_; }
    // The topic's page, or the contents when the topic has no page of its own.
    void ShowTopic(int topic);
    void ShowContents();

private:
    void Open(const std::string& page, int topic);

    std::string folder_;
    TDesktop& desktop_;
    TMessageService& messages_;
};

// The help folder inside the program folder.
inline constexpr const char* kHelpFolderName = "help/";

}  // namespace kvx
