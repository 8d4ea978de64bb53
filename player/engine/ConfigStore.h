#pragma once
// Storage of the components' configuration blocks, by component file name, as the host keeps them
// between runs: asked from each client at shutdown, handed back before start-up.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sdk/component.h"

namespace player {

class ConfigStore {
public:
    // Asks the client for its block and keeps it; a held block stays as it was stored.
    void save(const std::string& component, sonavel::component_client& client);
    // Hands the kept block (or an empty one) to the client. When the client cannot read it, its error goes
    // on to the caller and the block is held: saves keep it as stored, so the component's next start can
    // still have it.
    void load(const std::string& component, sonavel::component_client& client);
    bool held(const std::string& component) const { return held_.count(component) != 0; }

    const std::vector<std::uint8_t>* block(const std::string& component) const;
    void set_block(const std::string& component, std::vector<std::uint8_t> bytes);

    // The whole store as one stream: u32 count, then per block its name and its bytes as counted strings.
    // Blocks of components that are not loaded are written back as they were read.
    void write(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const;
    // A damaged stream raises the host's data error and leaves the store empty.
    void read(sonavel::stream_reader& reader, sonavel::abort_callback& abort);
    void write_file(const char* utf8_path) const;
    // A missing file leaves the store empty; a damaged one raises the host's data error.
    void read_file(const char* utf8_path);

    friend bool operator==(const ConfigStore& a, const ConfigStore& b) { return a.blocks_ == b.blocks_; }

private:
    std::map<std::string, std::vector<std::uint8_t>> blocks_;
    std::set<std::string> held_;
};

}  // namespace player
