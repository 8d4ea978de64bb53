#pragma once
// Storage of the components' configuration blocks, by component file name, as the host keeps them
// between runs: asked from each client at shutdown, handed back before start-up.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sdk/component.h"

namespace player {

class ConfigStore {
public:
    // Asks the client for its block and keeps it.
    void save(const std::string& component, sonavel::component_client& client);
    // Hands the kept block (or an empty one) to the client.
    void load(const std::string& component, sonavel::component_client& client) const;

    const std::vector<std::uint8_t>* block(const std::string& component) const;
    void set_block(const std::string& component, std::vector<std::uint8_t> bytes);

    // The whole store as one file: u32 count, then per block its name and its bytes as counted strings.
    void write_file(const char* utf8_path) const;
    // A missing file leaves the store empty; a damaged one raises the host's data error.
    void read_file(const char* utf8_path);

private:
    std::map<std::string, std::vector<std::uint8_t>> blocks_;
};

}  // namespace player
