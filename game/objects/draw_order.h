// The depth-sorted draw list of the level: level objects by layer, then slot, rebuilt on every
// ninth request; in the editor the super animators join it.
#pragma once

struct globalObject {
  int kind; // 0 a level object, 1 a super animator
  float x, y;
  int depth; // the sort key: the object's layer, 1000 for an animator
  int index; // slot in its table
  int unused;
};

enum { GLOBAL_OBJECTS = 2000 };
extern globalObject GlobalObjects[GLOBAL_OBJECTS];
extern int globalObjectsCount;
// Requests since the last rebuild; 30 makes the next request act.
extern int g_timeToUpdateSort;

// Rebuilds and sorts on the first request after a forced one and then on every ninth.
void ResortGlobalObjects();
// Rebuilds and sorts at once.
void ForceResortGlobalObjects();
void SetObjectsToSort();
void SortAllObjects();
int compare(const void* a, const void* b);
// Draws the list; the layer-1 smoke goes in before the first object deeper than layer 3.
void DrawAllObjects(float dt);
