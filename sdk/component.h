#pragma once
// A component's identity, start-up hooks and entry point.
#include <string>

#include "sdk/abort.h"
#include "sdk/service_factory.h"
#include "sdk/stream.h"

struct HINSTANCE__;

namespace sonavel {

class core_api;

// Name and version of an installed component. Implemented by components; main thread.
class componentversion : public service_base {
public:
    static constexpr guid class_guid = {0xDBF6A94F, 0x4DE0, 0x4E1F, {0x84, 0x71, 0x3E, 0x53, 0xD1, 0x04, 0x2E, 0x9B}};
    using parent_t = service_base;

    virtual void get_file_name(std::string& out) = 0;
    virtual void get_component_name(std::string& out) = 0;
    virtual void get_component_version(std::string& out) = 0;
    virtual void get_about_message(std::string& out) = 0;
};

// Whether a component is installed under its expected file name. Implemented by components.
class component_installation_validator : public service_base {
public:
    static constexpr guid class_guid = {0xA75E502C, 0x18B3, 0x4A85, {0xB9, 0xA7, 0xB5, 0x72, 0x79, 0xCA, 0xD7, 0xB8}};
    using parent_t = service_base;

    virtual bool is_installed_correctly() = 0;
};

// Start-up and shutdown of the host. Implemented by components; main thread.
class initquit : public service_base {
public:
    static constexpr guid class_guid = {0x518B7EF2, 0x6903, 0x4571, {0xB0, 0x38, 0x91, 0xE0, 0xAB, 0x8E, 0x38, 0x3D}};
    using parent_t = service_base;

    virtual void on_init() {}
    virtual void on_quit() {}
};

// The client object a component's entry point returns. Implemented by components; the host calls it on
// the main thread, in the order: library path, services flag, configuration, service list.
class component_client {
public:
    virtual unsigned get_version() = 0;
    virtual service_factory_base* get_service_list() = 0;
    virtual void get_config(stream_writer* writer, abort_callback& abort) = 0;
    virtual void set_config(stream_reader* reader, abort_callback& abort) = 0;
    virtual void set_library_path(const char* path, const char* name) = 0;
    virtual void services_init(bool available) = 0;
    virtual bool is_debug() = 0;

protected:
    ~component_client() = default;
};

// The interface version hosts of this SDK expect.
inline constexpr unsigned client_interface_version = 77;

// Exported undecorated (cdecl, through a module definition file) by every component.
using sonavel_get_interface_t = component_client* (*)(core_api* core, HINSTANCE__* module);
inline constexpr const char* entry_point_name = "sonavel_get_interface";

}  // namespace sonavel
