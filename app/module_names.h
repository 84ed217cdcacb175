// The library's lookup lists: names kept sorted without regard to case (the code
// page's case rules), each with the module registered under it. A name is kept once:
// when two modules share a title or an abbreviation, the first one registered is the
// one a look-up finds. The lists never own their modules.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_text.h"

namespace kvx {

template <typename TValue>
class TNamedList {
public:
    struct Item {
        std::string Name;
        TValue Value;
    };

    // False when the name was registered already; the earlier value stays.
    bool Add(std::string_view name, TValue value) {
        auto it = LowerBound(name);
        if (it != items_.end() && AnsiCompareText(it->Name, name) == 0) return false;
        items_.insert(it, Item{std::string(name), std::move(value)});
        return true;
    }
    // The value registered under the name, or a default-constructed one.
    TValue Lookup(std::string_view name) const {
        auto it = LowerBound(name);
        return it != items_.end() && AnsiCompareText(it->Name, name) == 0 ? it->Value : TValue{};
    }
    bool Contains(std::string_view name) const {
        auto it = LowerBound(name);
        return it != items_.end() && AnsiCompareText(it->Name, name) == 0;
    }
    // Removes the name only when it is registered for that value, so that taking a
    // module out never takes another module's name with it.
    bool Remove(std::string_view name, const TValue& value) {
        auto it = LowerBound(name);
        if (it == items_.end() || AnsiCompareText(it->Name, name) != 0 || !(it->Value == value)) return false;
        items_.erase(it);
        return true;
    }
    void Clear() { items_.clear(); }
    const std::vector<Item>& Items() const { return items_; }
    size_t Count() const { return items_.size(); }

private:
    typename std::vector<Item>::iterator LowerBound(std::string_view name) {
        return std::lower_bound(items_.begin(), items_.end(), name,
                                [](const Item& item, std::string_view n) { return AnsiCompareText(item.Name, n) < 0; });
    }
    typename std::vector<Item>::const_iterator LowerBound(std::string_view name) const {
        return std::lower_bound(items_.begin(), items_.end(), name,
                                [](const Item& item, std::string_view n) { return AnsiCompareText(item.Name, n) < 0; });
    }

    std::vector<Item> items_;
};

}  // namespace kvx
