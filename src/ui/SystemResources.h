#pragma once
// Resources the program carries itself: the message box layout. A file of the same name
// in the resource folder takes precedence.
namespace SOUI {
class SResProviderFiles;
void AddSystemResources(SResProviderFiles& res);
}  // namespace SOUI
