// Loading, saving and switching the displayed category of the open show.
#include "editor/ShowDocument.h"

#include <filesystem>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <unordered_map>

#include "base/FileIo.h"
#include "base/Global.h"
#include "editor/CategoryFile.h"
#include "library/ShowIndex.h"
#include "platform/StoredText.h"

namespace velvora {

namespace fs = std::filesystem;

namespace {

void Run(const std::function<void()>& hook) {
    if (hook) hook();
}

// Keeps the busy pointer up for one scope, exceptions included.
class BusyScope {
public:
    explicit BusyScope(const std::function<void(bool)>& hook) : hook_(hook) {
        if (hook_) hook_(true);
    }
    ~BusyScope() {
        if (hook_) hook_(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    const std::function<void(bool)>& hook_;
};

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// The type of the name itself: a link, dangling or not, is a link and is never followed.
fs::file_type TypeOfName(const std::string& path) {
    std::error_code ignored;
    return fs::symlink_status(path, ignored).type();
}

// A link could lead out of the show folder, where saving would write and deleting the
// category would empty someone else's folder, and a file can hold no photos.
bool CanBeCategoryFolder(const std::string& path) {
    const fs::file_type type = TypeOfName(path);
    return type == fs::file_type::directory || type == fs::file_type::not_found;
}

// A folder that cannot be made is not an error here: its photos simply cannot be added.
void MakeFolderQuietly(const std::string& path) {
    std::error_code ignored;
    fs::create_directories(path, ignored);
}

StringList ReadLinesIfPresent(const std::string& path) {
    if (!Exists(path)) return {};
    KeyValueList file;
    file.LoadFromFile(path);
    return std::move(file.Lines());
}

using StoredLinesById = std::unordered_map<std::string, const std::string*>;

StoredLinesById IndexById(const StringList& folderLines) {
    StoredLinesById lines;
    for (const std::string& line : folderLines) lines.emplace(KeyValueList::NameOf(line), &line);
    return lines;
}

// A photo's line as it was read while it still says the same, so that a name stored in
// another code page keeps its bytes; a new or changed photo gets a line in UTF-8.
std::string FolderLineOf(const PhotoEntry& entry, const StoredLinesById& storedLines) {
    const auto stored = storedLines.find(entry.PhotoId);
    if (stored != storedLines.end() && DecodeStoredText(KeyValueList::ValueOf(*stored->second)) == entry.SourceFileName)
        return *stored->second;
    return entry.PhotoId + "=" + entry.SourceFileName;
}

std::unique_ptr<TCategory> MakeRootCategory() {
    auto root = std::make_unique<TCategory>();
    root->Alias = RootAlias;
    root->Background = DecimalOrZero(ShowSettings.Value("Background"));
    root->BackgroundOption1 = ShowSettings.Value("BackgroundOption1");
    return root;
}

}  // namespace

void ShowDocument::LoadShow() {
    loaded_ = false;
    CurrentPhotoIndex = -1;
    CategoryFolder.clear();
    FolderList.clear();
    photos_.Clear();
    const std::string title = ShowSettings.Value("Title");
    AliasCount = StrToIntRange(ShowSettings.Value("AliasCount"), 0, std::numeric_limits<std::int32_t>::max());

    CategoryNode* root = tree_.SetRoot(title);
    root->Category = MakeRootCategory();
    ClaimRootFolder();
    ReadCategoryTree(tree_, ReadLinesIfPresent(ShowPath + CategoriesFileName));
    ClaimCategoryFolders();
    root->Expanded = true;

    loaded_ = true;
    SelectCategory(tree_.Selected());
}

// The root's alias is fixed, so a link or a file in its place cannot be avoided by a
// fresh alias; the show is refused before anything is written into what it points to.
void ShowDocument::ClaimRootFolder() {
    const std::string folder = ShowPath + RootAlias;
    MakeFolderQuietly(folder);
    if (!CanBeCategoryFolder(folder))
        throw std::runtime_error("The show cannot be opened: \"" + folder + "\" is not a folder.");
}

// Runs after the whole tree is read, so that a fresh alias cannot collide with the
// alias of a category further down the file whose folder does not exist yet.
void ShowDocument::ClaimCategoryFolders() {
    for (CategoryNode* node : tree_.Nodes()) {
        if (node == tree_.Root()) continue;
        TCategory& category = *node->Category;
        if (!IsSafeAlias(category.Alias) || !CanBeCategoryFolder(ShowPath + category.Alias))
            category.Alias = NextFreeAlias();
        MakeFolderQuietly(ShowPath + category.Alias);
    }
}

void ShowDocument::SaveShow() {
    if (!loaded_) return;
    SaveFolderList();
    StringList lines;
    WriteCategoryTree(tree_, "\\", lines, true, tree_.Root());
    WriteFileAtomic(ShowPath + CategoriesFileName, JoinLinesCrLf(lines));
    ShowSettings.SetValue("AliasCount", std::to_string(AliasCount));
    ShowSettings.SaveToFile(ShowPath + ShowSettingsFileName);
}

void ShowDocument::SaveFolderList() {
    if (CategoryFolder.empty()) return;
    const StringList storedLines = std::move(FolderList);
    const StoredLinesById storedById = IndexById(storedLines);
    FolderList.clear();
    for (int i = 0; i < photos_.Count(); ++i)
        FolderList.push_back(FolderLineOf(PhotoEntry::FromText(photos_.Item(i)), storedById));
    WriteFileAtomic(CategoryFolder + FolderListFileName, JoinLinesCrLf(FolderList));
}

int ShowDocument::AddPhotoEntry(const std::string& id, const std::string& sourceFileName) {
    if (CategoryFolder.empty() || !IsPhotoId(id) || !Exists(CategoryFolder + id + PhotoImageExtension)) return -1;
    // Stored bytes may be in another code page and hold the entry separator; decoded
    // they cannot.
    PhotoEntry entry;
    entry.PhotoId = id;
    entry.SourceFileName = DecodeStoredText(sourceFileName);
    int rotation = 0;
    for (const std::string& line : ReadLinesIfPresent(CategoryFolder + id + PhotoPropertiesExtension)) {
        const std::string key = KeyValueList::NameOf(line);
        const std::string value = DecodeStoredText(KeyValueList::ValueOf(line));
        if (SameTextIgnoringCase(key, "caption"))
            entry.Caption = value;
        else if (SameTextIgnoringCase(key, "name"))
            entry.Name = value;
        else if (SameTextIgnoringCase(key, "width"))
            entry.Width = value;
        else if (SameTextIgnoringCase(key, "height"))
            entry.Height = value;
        else if (SameTextIgnoringCase(key, "rotate"))
            rotation = DecimalOrZero(value);
    }
    const int index = photos_.Add(entry.Text());
    photos_.SetRotation(index, rotation >= 0 && rotation < 4 ? rotation : 0);
    return index;
}

bool ShowDocument::CloseShow() {
    Run(Hooks.FinishEditing);
    SaveShow();
    tree_.Clear();
    photos_.Clear();
    FolderList.clear();
    CategoryFolder.clear();
    CurrentPhotoIndex = -1;
    loaded_ = false;
    return true;
}

void ShowDocument::SelectCategory(CategoryNode* node) {
    tree_.Select(node);
    if (!node || !node->Category) return;
    BusyScope busy(Hooks.SetBusy);
    Run(Hooks.SavePhotoProperties);
    SaveFolderList();
    FolderList.clear();
    photos_.Clear();
    CategoryFolder = ShowPath + node->Category->Alias + PathSeparator;
    CurrentPhotoIndex = -1;
    FillPhotoList();
    Run(Hooks.PhotoSelectionChanged);
    SaveShow();
}

void ShowDocument::FillPhotoList() {
    FolderList = ReadLinesIfPresent(CategoryFolder + FolderListFileName);
    for (const std::string& line : FolderList) AddPhotoEntry(KeyValueList::NameOf(line), KeyValueList::ValueOf(line));
    photos_.SetCurrentIndex(0);
    if (photos_.Count() > 0) photos_.Select(0);
}

void ShowDocument::SetShowTitle(const std::string& typed) {
    const std::string title = SingleLineValue(typed);
    if (tree_.Root()) tree_.Root()->Text = title;
    ShowSettings.SetValue("Title", title);
}

CategoryNode* ShowDocument::AddCategory(CategoryNode* parent, const std::string& name) {
    if (!parent) parent = tree_.Root();
    const std::string alias = NextFreeAlias();
    std::error_code error;
    fs::create_directories(ShowPath + alias, error);
    if (error) throw std::runtime_error("Cannot create folder \"" + ShowPath + alias + "\".");
    CategoryNode* node = tree_.AddChild(parent, name);
    node->Category = std::make_unique<TCategory>();
    node->Category->Alias = alias;
    Run(Hooks.TreeChanged);
    return node;
}

bool ShowDocument::DeleteCategory(CategoryNode* node) {
    if (!node || node == tree_.Root()) return false;
    if (node->Contains(tree_.Selected())) SelectCategory(node->Parent());
    StringList aliases;
    for (const CategoryNode* gone : tree_.Nodes())
        if (node->Contains(gone) && gone->Category) aliases.push_back(gone->Category->Alias);
    tree_.Remove(node);
    Run(Hooks.TreeChanged);
    SaveShow();
    for (const std::string& alias : aliases) DeleteUnusedCategoryFolder(alias);
    return true;
}

// A damaged "categories.dat" may give two categories one alias; the folder then still
// holds the photos of the one that stays. A folder that cannot be removed stays behind,
// unreferenced, as an undeletable photo file does.
void ShowDocument::DeleteUnusedCategoryFolder(const std::string& alias) {
    if (IsAliasInTree(alias)) return;
    try {
        DeleteDirTree(ShowPath + alias);
    } catch (const std::runtime_error&) {
    }
}

std::string ShowDocument::NextFreeAlias() {
    do {
        if (AliasCount == std::numeric_limits<std::int32_t>::max())
            throw std::runtime_error("No folder name is left for a new category.");
        ++AliasCount;
    } while (IsAliasTaken(AliasForCount(AliasCount)));
    return AliasForCount(AliasCount);
}

bool ShowDocument::IsAliasTaken(const std::string& alias) const {
    return alias == RootAlias || TypeOfName(ShowPath + alias) != fs::file_type::not_found || IsAliasInTree(alias);
}

bool ShowDocument::IsAliasInTree(const std::string& alias) const {
    for (const CategoryNode* node : tree_.Nodes())
        if (node->Category && SameTextIgnoringCase(node->Category->Alias, alias)) return true;
    return false;
}

}  // namespace velvora
