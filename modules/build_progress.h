// What a long build reports while it runs: the pass, a detail line and a bar over
// a range. The progress window implements it for the program; kvx prints it on the
// terminal. Builders only ever talk to this interface, so they stay free of windows.
#pragma once

#include <string>

namespace kvx {

class TBuildProgress {
public:
    virtual ~TBuildProgress() = default;

    virtual void SetPassText(const std::string& text) = 0;
    virtual void SetDetailText(const std::string& text) = 0;
    // The bar runs from min to max; a max not above min counts as min + 1.
    virtual void SetRange(int min, int max) = 0;
    // Implementations act only when pos differs from the current position, so a
    // builder may call this for every item.
    virtual void SetPosition(int pos) = 0;
    virtual void SetPositionText(int pos, const std::string& text) {
        SetPosition(pos);
        SetDetailText(text);
    }
};

// The status line of a window, which shows each entry's title while a module is
// indexed.
class TBuildStatusLine {
public:
    virtual ~TBuildStatusLine() = default;
    virtual void SetSimpleText(const std::string& text) = 0;
};

}  // namespace kvx
