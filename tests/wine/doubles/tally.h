// What the doubles have handed out in this process, live: objects-<pid>.txt beside the DLL, a
// file mapped into memory so that every change lands in it at the cost of a store, where a test
// reads it at any moment (also after the process has ended):
//
//   objects      <live COM objects: shell windows, browsers, class factories>
//   references   <their references, summed>
//   made         <objects made in all>
//   counts       <IShellWindows::get_Count calls: one a scan>
//   loaded       <1 while the DLL is loaded, 0 once it is unloaded or its process has ended>
#pragma once

namespace doubles {

void TallyMade();
void TallyGone();
void TallyAddRef();
void TallyRelease();
void TallyCount();
// At DLL_PROCESS_DETACH: the numbers are final.
void TallyUnloaded();

}  // namespace doubles
