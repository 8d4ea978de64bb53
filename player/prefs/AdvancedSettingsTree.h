#pragma once
// The advanced settings as the Preferences page shows them: every registered advconfig_entry placed under
// its parent branch (the host's own branches included, registered or not), siblings ordered by sort
// priority and then by name, with the values the user is editing. Edits stay here until apply() hands
// them to the entries, so that Cancel leaves every setting as it was. Main thread; needs no window.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sdk/advconfig.h"

namespace player {

class AdvancedSettingsTree {
public:
    enum class Kind { branch, checkbox, radio, text };

    struct Node {
        Kind kind = Kind::branch;
        std::string name;
        sonavel::guid id;
        sonavel::guid parent;
        double priority = 0.0;
        unsigned flags = 0;  // of a text entry: advconfig_entry_string::flags
        // Empty for a host branch that nothing registered.
        sonavel::service_ptr_t<sonavel::advconfig_entry> entry;
        std::vector<std::size_t> children;
        // The value being edited.
        bool checked = false;
        std::string text;
        bool edited = false;
    };

    // Reads every advconfig_entry registered with the host.
    static AdvancedSettingsTree from_services();
    explicit AdvancedSettingsTree(const std::vector<sonavel::service_ptr_t<sonavel::advconfig_entry>>& entries);

    // Nodes under the host's root, in display order.
    const std::vector<std::size_t>& roots() const noexcept { return roots_; }
    const Node& node(std::size_t index) const { return nodes_.at(index); }
    std::size_t size() const noexcept { return nodes_.size(); }
    // The first node of that name, depth first in display order.
    std::optional<std::size_t> find(const std::string& name) const;
    // What the tree shows for the node: its name, and a text entry's value after it.
    std::string label(std::size_t index) const;

    // A check box takes the state; a radio button is only ever switched on, and switches off the radio
    // buttons beside it. Branches and text entries ignore it.
    void set_checked(std::size_t index, bool checked);
    void toggle(std::size_t index);
    void set_text(std::size_t index, std::string text);
    // The edited values become every entry's default (learned by resetting it and putting its value back,
    // so that nothing changes before apply()).
    void reset_all();

    bool edited() const;

    // An edited value its entry would not keep as typed: the node and, for the user, why.
    struct Refusal {
        std::size_t node;
        std::string message;
    };
    // The first edited integer entry whose text is not a whole number, or a number out of the entry's
    // range (learned by handing it the number and putting the stored value back). Changes nothing.
    std::optional<Refusal> check();
    // The node shows its entry's stored value again and is no longer edited.
    void restore(std::size_t index);
    // Hands the edited values to their entries, then shows what they kept. Callers check() first: an
    // integer entry handed text that is no number would make something of it.
    void apply();

private:
    static Kind kind_of(const sonavel::service_ptr_t<sonavel::advconfig_entry>& entry, unsigned& flags);
    void add(const sonavel::service_ptr_t<sonavel::advconfig_entry>& entry);
    void link();
    void read_value(Node& node);
    void sort(std::vector<std::size_t>& siblings);
    std::optional<std::size_t> find_in(const std::vector<std::size_t>& siblings, const std::string& name) const;

    std::vector<Node> nodes_;
    std::vector<std::size_t> roots_;
    // Each node's branch, or -1 at the top.
    std::vector<std::size_t> parent_;
};

}  // namespace player
