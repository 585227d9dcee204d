// Walking the files of a folder tree, as "Open Folder" and "Add Folder" do.
#pragma once
#include "classlib/CString.h"
#include "framework/system/StopFlag.h"
#include <functional>

class CWildcardFilter;

// How many levels below the folder named a recursive scan enters at the most.
const int kMaxFolderScanDepth = 16;

// Runs on the calling thread. Hands the visitor the path (folder, '\', name) of each file in the
// folder whose name the filter matches, in the order the system lists them; with recurse each
// sub-folder's files where it is listed, down to kMaxFolderScanDepth levels. Folders that are
// reparse points (junctions, links) are not entered: one may lead back up the tree. Returns
// before the next entry once the stop flag is raised.
void ScanFolderFiles(LPCWSTR folder, const CWildcardFilter& filter, bool recurse, const StopFlag* stopFlag,
                     const std::function<void(const CString& path)>& visit);
