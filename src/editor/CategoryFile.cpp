// Writing and reading the category tree file.
#include "editor/CategoryFile.h"

#include <cstdint>
#include <utility>

namespace velvora {

namespace {

using NumberField = std::int32_t TCategory::*;
using FlagField = bool TCategory::*;

// DurationCount, Background and BackgroundOption1 are edited in the properties dialog
// and published, so they are stored too; readers that predate them ignore the keys.
const std::pair<const char*, NumberField> NumberKeys[] = {
    {"loop", &TCategory::Loop},
    {"transition", &TCategory::Transition},
    {"horizontal", &TCategory::Horizontal},
    {"vertical", &TCategory::Vertical},
    {"duration", &TCategory::Duration},
    {"size", &TCategory::Size},
    {"introwidth", &TCategory::IntroWidth},
    {"introheight", &TCategory::IntroHeight},
    {"aboutwidth", &TCategory::AboutWidth},
    {"aboutheight", &TCategory::AboutHeight},
    {"durationcount", &TCategory::DurationCount},
    {"background", &TCategory::Background},
};

const std::pair<const char*, FlagField> FlagKeys[] = {
    {"leaveprevious", &TCategory::LeavePrevious},
    {"keyadvance", &TCategory::KeyAdvance},
    {"intro", &TCategory::Intro},
    {"about", &TCategory::About},
    {"autorun", &TCategory::AutoRun},
    {"autorunexit", &TCategory::AutoRunExit},
};

void AddNumberIfSet(StringList& lines, const char* key, std::int32_t value) {
    if (value > 0) lines.push_back(std::string(key) + "=" + std::to_string(value));
}

void AddBlockLines(StringList& lines, const TCategory& category, bool selected, bool expanded) {
    if (selected) lines.emplace_back("Selected=1");
    if (expanded) lines.emplace_back("Expanded=1");
    lines.push_back("Alias=" + category.Alias);
    AddNumberIfSet(lines, "Loop", category.Loop);
    if (category.LeavePrevious) lines.emplace_back("LeavePrevious=1");
    if (category.KeyAdvance) lines.emplace_back("KeyAdvance=1");
    AddNumberIfSet(lines, "Transition", category.Transition);
    AddNumberIfSet(lines, "Horizontal", category.Horizontal);
    AddNumberIfSet(lines, "Vertical", category.Vertical);
    AddNumberIfSet(lines, "Duration", category.Duration);
    AddNumberIfSet(lines, "Size", category.Size);
    if (category.Intro) {
        lines.emplace_back("Intro=1");
        lines.push_back("IntroWidth=" + std::to_string(category.IntroWidth));
        lines.push_back("IntroHeight=" + std::to_string(category.IntroHeight));
    }
    if (category.About) {
        lines.emplace_back("About=1");
        lines.push_back("AboutWidth=" + std::to_string(category.AboutWidth));
        lines.push_back("AboutHeight=" + std::to_string(category.AboutHeight));
    }
    if (category.AutoRun) lines.emplace_back("AutoRun=1");
    if (category.AutoRun && category.AutoRunExit) lines.emplace_back("AutoRunExit=1");
    if (category.Duration == CustomDurationIndex)
        lines.push_back("DurationCount=" + std::to_string(category.DurationCount));
    AddNumberIfSet(lines, "Background", category.Background);
    if (category.Background == SpecificColorIndex) lines.push_back("BackgroundOption1=" + category.BackgroundOption1);
}

void ApplyBlockLine(CategoryTree& tree, CategoryNode& node, const std::string& line) {
    const std::string key = KeyValueList::NameOf(line);
    const std::string value = KeyValueList::ValueOf(line);
    TCategory& category = *node.Category;
    if (SameTextIgnoringCase(key, "selected")) {
        if (value == "1") tree.Select(&node);
    } else if (SameTextIgnoringCase(key, "expanded")) {
        if (value == "1") node.Parent()->Expanded = true;
    } else if (SameTextIgnoringCase(key, "alias")) {
        category.Alias = value;
    } else if (SameTextIgnoringCase(key, "backgroundoption1")) {
        category.BackgroundOption1 = value;
    } else {
        for (const auto& [name, field] : NumberKeys)
            if (SameTextIgnoringCase(key, name)) category.*field = DecimalOrZero(value);
        for (const auto& [name, field] : FlagKeys)
            if (SameTextIgnoringCase(key, name) && value == "1") category.*field = true;
    }
}

}  // namespace

void WriteCategoryTree(const CategoryTree& tree, const std::string& prefix, StringList& lines, bool ancestorsExpanded,
                       const CategoryNode* node) {
    for (int i = 0; i < node->ChildCount(); ++i) {
        const CategoryNode* child = node->Child(i);
        lines.push_back(prefix + child->Text);
        const TCategory none;
        AddBlockLines(lines, child->Category ? *child->Category : none, child == tree.Selected(),
                      node->Expanded && ancestorsExpanded && i == 0);
        lines.emplace_back();
        WriteCategoryTree(tree, prefix + child->Text + "\\", lines, ancestorsExpanded && node->Expanded, child);
    }
}

void ReadCategoryTree(CategoryTree& tree, const StringList& lines) {
    std::size_t next = 0;
    while (next < lines.size()) {
        CategoryNode* node = AddNodeByPath(tree, lines[next++]);
        node->Category = std::make_unique<TCategory>();
        while (next < lines.size() && !lines[next].empty()) ApplyBlockLine(tree, *node, lines[next++]);
        if (next < lines.size()) ++next;
    }
}

}  // namespace velvora
