#pragma once
// The panel's pop-up menu: built for the panel's state, tracked at the cursor, and the chosen command run
// before it goes. Main thread.
namespace quennet {

class VarnelPanel;

// Shows the menu at the cursor and runs what the user chose; nothing while the panel is busy.
void show_panel_menu(VarnelPanel& panel);
// Runs one menu command (an id of PanelCommand, or a preset's id); unknown ids do nothing.
void run_panel_command(VarnelPanel& panel, unsigned id);

}  // namespace quennet
