// Web addresses, files and help pages opened by the desktop.
#include "platform/qt/desktop_services.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

bool TDesktop::OpenUrl(const std::string& url) { return QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

bool TDesktop::OpenFile(const std::string& path) {
    return OpenUrl(QUrl::fromLocalFile(QString::fromStdString(path)).toString().toStdString());
}

void THelp::ShowTopic(int topic) {
    const std::string page = folder_ + std::to_string(topic) + ".html";
    Open(FileExists(page) ? page : folder_ + "index.html", topic);
}

void THelp::ShowContents() { Open(folder_ + "index.html", 0); }

void THelp::Open(const std::string& page, int topic) {
    if (!FileExists(page)) {
        const std::string what = topic > 0 ? Format("Help topic %d", topic) : std::string("The help contents");
        messages_.Show(TMessageKind::Information, "",
                       what + " cannot be shown: the help files are not installed (looked in " + folder_ + ").");
        return;
    }
    if (!desktop_.OpenFile(page))
        messages_.Show(TMessageKind::Warning, "", "The help page " + page + " could not be opened.");
}

}  // namespace kvx
