#pragma once
// Which controls of a form the user changed since the form loaded its dive. The site
// and gear forms save only these, so that stepping through dives never rewrites a
// dive with what its boxes merely show (an empty temperature read as 0, a name gone
// from its catalog, a rounded metric value).
//
//   EditedControls edited;
//   edited.Mark(ControlArray::Text4, i);      // the user typed in box i of Text4
//   if (edited.Has(ControlArray::Text4, i)) ... write it ...
//   edited.Clear();                            // a dive was loaded

#include <set>
#include <utility>

namespace kvl {

class EditedControls {
public:
    // array: the form's name for a control array (an enum); index: the box in it.
    template <typename Array>
    void Mark(Array array, int index = 0) { marked_.emplace(static_cast<int>(array), index); }
    template <typename Array>
    void Unmark(Array array, int index = 0) { marked_.erase({static_cast<int>(array), index}); }
    template <typename Array>
    bool Has(Array array, int index = 0) const { return marked_.count({static_cast<int>(array), index}) != 0; }
    bool Any() const { return !marked_.empty(); }
    void Clear() { marked_.clear(); }

private:
    std::set<std::pair<int, int>> marked_;
};

} // namespace kvl
