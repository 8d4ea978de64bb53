#pragma once
// The panel host's services that need no window: its entry in the component list (name "Panoplex" and a
// version of the test's choosing), and the global fonts and colours with their change callbacks.
#include <algorithm>
#include <string>
#include <vector>

#include "sdk/component.h"
#include "sdk/panoplex.h"

namespace player {

class PanelHostVersion : public sonavel::componentversion {
public:
    using interface_t = sonavel::componentversion;

    explicit PanelHostVersion(std::string name = "Panoplex", std::string version = "0.3.8.8")
        : name_(std::move(name)), version_(std::move(version)) {}

    void get_file_name(std::string& out) override { out = "panoplex.dll"; }
    void get_component_name(std::string& out) override { out = name_; }
    void get_component_version(std::string& out) override { out = version_; }
    void get_about_message(std::string& out) override { out = "Panel host of the stand-in player"; }

    void set(std::string name, std::string version) {
        name_ = std::move(name);
        version_ = std::move(version);
    }

private:
    std::string name_, version_;
};

class GlobalFonts : public panoplex::fonts::manager {
public:
    using interface_t = panoplex::fonts::manager;

    GlobalFonts();
    void get_font(panoplex::fonts::font_type_t type, panoplex::log_font& out) const override;
    void register_common_callback(panoplex::fonts::common_callback* callback) override;
    void deregister_common_callback(panoplex::fonts::common_callback* callback) override;

    // Changes a global font and tells every registered callback.
    void set_font(panoplex::fonts::font_type_t type, const panoplex::log_font& font);
    std::size_t callback_count() const noexcept { return callbacks_.size(); }

private:
    panoplex::log_font fonts_[2];
    std::vector<panoplex::fonts::common_callback*> callbacks_;
};

class GlobalColours : public panoplex::colours::manager {
public:
    using interface_t = panoplex::colours::manager;

    GlobalColours();
    panoplex::colour_t get_colour(panoplex::colours::colour_identifier_t index) const override;
    void register_common_callback(panoplex::colours::common_callback* callback) override;
    void deregister_common_callback(panoplex::colours::common_callback* callback) override;

    void set_colour(panoplex::colours::colour_identifier_t index, panoplex::colour_t colour);
    // A colour switch (for example "use custom colours") changed.
    void change_bool(std::uint32_t mask);
    std::size_t callback_count() const noexcept { return callbacks_.size(); }

private:
    panoplex::colour_t colours_[7];
    std::vector<panoplex::colours::common_callback*> callbacks_;
};

}  // namespace player
