#pragma once
// What must hold after the run; each check records every difference it finds as a fault.
#include <filesystem>
#include <list>
#include <string>

#include "SoakRig.h"

// The keyboard holds what the main window shows: profile, mode, brightness, speed, direction,
// colour set, key colours and which keys carry an assignment.
// `when` names the moment in the messages.
void CheckShownStateIsTheKeyboards(SoakRig& rig, const std::string& when);

// "macro.xml" loads with MacroFile and holds exactly the groups the program held. Call it when
// no other holder of the macro groups is left.
void CheckMacroFile(SoakRig& rig, const std::filesystem::path& file,
                    const std::list<MacroRecordGroup>& held);

// Every macro a key of the keyboard plays is one of the groups the program holds, so no macro
// the keyboard plays is lost to the program. Meant for right after a connection read: the user
// may edit or delete a group whose macro a key still plays.
void CheckKeyboardMacrosAreHeld(SoakRig& rig, const std::list<MacroRecordGroup>& held);
