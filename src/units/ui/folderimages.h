#pragma once

class TImageList;

// Appends the nine pictures of the folder tree, in their index order: closed and open
// folder, closed and open folder with the program's emblem (a folder that holds units),
// then the drive kinds removable, fixed, remote, CD-ROM and RAM disk.
void AddFolderTreePictures(TImageList &list);
