#include "player/prefs/AdvancedSettingsTree.h"

#include <algorithm>
#include <map>

#include "player/prefs/IntegerText.h"
#include "sdk/core_api.h"
#include "sdk/utf8.h"

namespace player {
namespace {

constexpr std::size_t no_parent = std::size_t(-1);

// The host's own branches: components hang their entries there whether or not the host registered them.
struct host_branch {
    const sonavel::guid& id;
    const char* name;
};
const host_branch host_branches[] = {{sonavel::advconfig_entry::guid_branch_display, "Display"}};

}  // namespace

AdvancedSettingsTree AdvancedSettingsTree::from_services() {
    return AdvancedSettingsTree(sonavel::service_list_t<sonavel::advconfig_entry>());
}

AdvancedSettingsTree::AdvancedSettingsTree(const std::vector<sonavel::service_ptr_t<sonavel::advconfig_entry>>& entries) {
    for (const auto& entry : entries) add(entry);
    for (const auto& branch : host_branches) {
        bool registered = std::any_of(nodes_.begin(), nodes_.end(), [&](const Node& n) { return n.id == branch.id; });
        if (registered) continue;
        Node node;
        node.name = branch.name;
        node.id = branch.id;
        node.parent = sonavel::advconfig_entry::guid_root;
        nodes_.push_back(std::move(node));
    }
    link();
}

AdvancedSettingsTree::Kind AdvancedSettingsTree::kind_of(const sonavel::service_ptr_t<sonavel::advconfig_entry>& entry,
                                                         unsigned& flags) {
    if (auto box = sonavel::service_try_query_t<sonavel::advconfig_entry_checkbox>(entry))
        return box->is_radio() ? Kind::radio : Kind::checkbox;
    if (auto text = sonavel::service_try_query_t<sonavel::advconfig_entry_string>(entry)) {
        flags = text->get_flags();
        return Kind::text;
    }
    // A branch, or a kind of entry this host does not know: shown by its name only.
    return Kind::branch;
}

void AdvancedSettingsTree::add(const sonavel::service_ptr_t<sonavel::advconfig_entry>& entry) {
    Node node;
    node.entry = entry;
    node.kind = kind_of(entry, node.flags);
    entry->get_name(node.name);
    node.id = entry->get_guid();
    node.parent = entry->get_parent();
    node.priority = entry->get_sort_priority();
    read_value(node);
    nodes_.push_back(std::move(node));
}

void AdvancedSettingsTree::read_value(Node& node) {
    if (node.kind == Kind::checkbox || node.kind == Kind::radio) {
        node.checked = sonavel::service_query_t<sonavel::advconfig_entry_checkbox>(node.entry)->get_state();
    } else if (node.kind == Kind::text) {
        sonavel::service_query_t<sonavel::advconfig_entry_string>(node.entry)->get_state(node.text);
    }
}

void AdvancedSettingsTree::link() {
    // The first branch of an id owns it; entries whose parent is unknown or not a branch show at the top.
    std::map<sonavel::guid, std::size_t> branches;
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].kind == Kind::branch) branches.emplace(nodes_[i].id, i);
    std::vector<std::size_t> parent(nodes_.size(), no_parent);
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        auto found = branches.find(nodes_[i].parent);
        if (found != branches.end() && found->second != i) parent[i] = found->second;
    }
    // Branches whose parents lead round in a circle would never show: the circle is cut where it is met.
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        std::size_t at = i;
        for (std::size_t steps = 0; at != no_parent && steps <= nodes_.size(); ++steps) at = parent[at];
        if (at != no_parent) parent[i] = no_parent;
    }
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (parent[i] == no_parent) roots_.push_back(i);
        else nodes_[parent[i]].children.push_back(i);
    }
    parent_ = std::move(parent);
    // A host branch that nothing was put into is left out.
    roots_.erase(std::remove_if(roots_.begin(), roots_.end(),
                                [&](std::size_t i) { return nodes_[i].entry.is_empty() && nodes_[i].children.empty(); }),
                 roots_.end());
    sort(roots_);
    for (auto& node : nodes_) sort(node.children);
}

void AdvancedSettingsTree::sort(std::vector<std::size_t>& siblings) {
    std::stable_sort(siblings.begin(), siblings.end(), [&](std::size_t a, std::size_t b) {
        if (nodes_[a].priority != nodes_[b].priority) return nodes_[a].priority < nodes_[b].priority;
        return sonavel::stricmp_utf8(nodes_[a].name.c_str(), nodes_[b].name.c_str()) < 0;
    });
}

std::optional<std::size_t> AdvancedSettingsTree::find_in(const std::vector<std::size_t>& siblings,
                                                         const std::string& name) const {
    for (std::size_t i : siblings) {
        if (nodes_[i].name == name) return i;
        if (auto found = find_in(nodes_[i].children, name)) return found;
    }
    return std::nullopt;
}

std::optional<std::size_t> AdvancedSettingsTree::find(const std::string& name) const { return find_in(roots_, name); }

std::string AdvancedSettingsTree::label(std::size_t index) const {
    const Node& n = nodes_.at(index);
    return n.kind == Kind::text ? n.name + ": " + n.text : n.name;
}

void AdvancedSettingsTree::set_checked(std::size_t index, bool checked) {
    Node& n = nodes_.at(index);
    if (n.kind == Kind::checkbox) {
        n.edited = n.edited || n.checked != checked;
        n.checked = checked;
    } else if (n.kind == Kind::radio && checked) {
        const auto& siblings = parent_[index] == no_parent ? roots_ : nodes_[parent_[index]].children;
        for (std::size_t i : siblings) {
            Node& other = nodes_[i];
            if (other.kind != Kind::radio) continue;
            other.edited = other.edited || other.checked != (i == index);
            other.checked = i == index;
        }
    }
}

void AdvancedSettingsTree::toggle(std::size_t index) { set_checked(index, !nodes_.at(index).checked); }

void AdvancedSettingsTree::set_text(std::size_t index, std::string text) {
    Node& n = nodes_.at(index);
    if (n.kind != Kind::text) return;
    n.edited = n.edited || n.text != text;
    n.text = std::move(text);
}

void AdvancedSettingsTree::reset_all() {
    for (Node& n : nodes_) {
        if (n.entry.is_empty() || n.kind == Kind::branch) continue;
        Node stored = n;
        read_value(stored);
        n.entry->reset();
        Node initial = n;
        read_value(initial);
        // Back to the stored value: nothing changes before apply().
        if (n.kind == Kind::text) {
            sonavel::service_query_t<sonavel::advconfig_entry_string>(n.entry)->set_state(stored.text.c_str());
        } else {
            sonavel::service_query_t<sonavel::advconfig_entry_checkbox>(n.entry)->set_state(stored.checked);
        }
        n.edited = n.edited || initial.text != n.text || initial.checked != n.checked;
        n.text = initial.text;
        n.checked = initial.checked;
    }
}

bool AdvancedSettingsTree::edited() const {
    return std::any_of(nodes_.begin(), nodes_.end(), [](const Node& n) { return n.edited; });
}

std::optional<AdvancedSettingsTree::Refusal> AdvancedSettingsTree::check() {
    using entry_string = sonavel::advconfig_entry_string;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        Node& n = nodes_[i];
        if (!n.edited || n.kind != Kind::text || !(n.flags & entry_string::flag_is_integer)) continue;
        auto entry = sonavel::service_query_t<entry_string>(n.entry);
        std::string stored;
        entry->get_state(stored);
        const std::string keeps = "The setting keeps its value " + stored + ".";
        std::optional<std::string> number = decimal_of(n.text, (n.flags & entry_string::flag_is_signed) != 0);
        if (!number) return Refusal{i, "\"" + n.name + "\": \"" + n.text + "\" is not a whole number. " + keeps};
        entry->set_state(number->c_str());
        std::string kept;
        entry->get_state(kept);
        entry->set_state(stored.c_str());
        if (kept != *number)
            return Refusal{i, "\"" + n.name + "\": " + *number + " is out of range (the nearest value allowed is " +
                                  kept + "). " + keeps};
    }
    return std::nullopt;
}

void AdvancedSettingsTree::restore(std::size_t index) {
    Node& n = nodes_.at(index);
    if (n.entry.is_empty()) return;
    read_value(n);
    n.edited = false;
}

void AdvancedSettingsTree::apply() {
    for (Node& n : nodes_) {
        if (!n.edited) continue;
        if (n.kind == Kind::text) {
            using entry_string = sonavel::advconfig_entry_string;
            // An integer entry gets the number in its plain form: it reads digits from the very start.
            std::optional<std::string> number;
            if (n.flags & entry_string::flag_is_integer)
                number = decimal_of(n.text, (n.flags & entry_string::flag_is_signed) != 0);
            sonavel::service_query_t<entry_string>(n.entry)->set_state(number ? number->c_str() : n.text.c_str());
        } else if (n.kind == Kind::checkbox || n.kind == Kind::radio) {
            sonavel::service_query_t<sonavel::advconfig_entry_checkbox>(n.entry)->set_state(n.checked);
        }
        n.edited = false;
        read_value(n);
    }
}

}  // namespace player
