// The level editor's button bank and the operations behind it: level steps with save and load,
// zoom, grid, axis locks, adding, duplicating, copying and pasting objects, and a backup per level.
#pragma once

// The clipboard of copy and paste: the last object slot, kept inactive between uses.
enum { CLIPBOARD_SLOT = 699, MASS_DUPLICATE_MAX_SPAN = 2000 };

// Clears the buttons and adds the editor's 23 (slots 0-22).
void InitLevelEditorButtons();
// The second row (slots 40-47), or away again when it shows.
void MakeExtraButtons();

// Saves the level, steps g_levelSelected by step (held within the editor's level numbers) and
// loads the level of the new number.
void EditorStepLevel(int step);
void ButtonPrevLevel5();
void ButtonPrevLevel40();
void ButtonPrevLevel();
void ButtonNextLevel();
void ButtonNextLevel5();
void ButtonNextLevel40();

void ToggleScreenMove();
void ToggleMutiSelection();
void ButtonZoomout();
void ButtonZoomin();
void ButtonZoomnorm();
void GridPlus();
void GridMinus();
void LockAxisX();
void LockAxisY();
void AddDemoRect();
void ChangeDrawObjectReferences();
void Backup();
void Restore();

// Copies of the dragged object one step of its size away (or of the marked group, in
// multi-selection mode); "clean" copies take only type and place.
void DuplicateObjectNop();
void DuplicateObjectLeft();
void DuplicateObjectRight();
void DuplicateObjectTop();
void DuplicateObjectBottom();
// Duplicates src one step of (dirX, dirY) away, or copies it to the clipboard, or pastes the
// clipboard onto the dragged object; the slot written, or -1 when there is no such object.
int DupObj(int src, int dirX, int dirY, bool clean, bool copy, bool paste);
// Copies the marked group in place and moves the marked objects one group width to the right; a
// group wider than MASS_DUPLICATE_MAX_SPAN only loses its marks.
void MassDuplicate();
void MakeCopyObject();
void MakePasteObject();
