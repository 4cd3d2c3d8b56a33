// What the level editor draws over the level: the marks of the picked and the multi-selected
// objects, the guide lines of each object, and the palette of sprite types.
#pragma once

// The dotted box of the last picked object, in black.
void DrawSelectionMarks();
// The blue marks of the multi-selection and every object's guide lines.
void DrawBlocksCustom();
// The palette page drawObjectRefID over the whole screen; its cells shrink until the page fits.
void DrawAllObjectReferences();
