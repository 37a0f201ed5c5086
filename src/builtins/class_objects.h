// The shared class objects Object, String, Number, Math and Date: single
// objects that answer their methods and constants by name index and double
// as the prototypes of their constructors.
#ifndef DURIZ_BUILTINS_CLASS_OBJECTS_H
#define DURIZ_BUILTINS_CLASS_OBJECTS_H

#include "values/object.h"

// The shared object of class number 2, 3, 4, 7 or 8; null for any other.
JsClassObject *MakeClassObject(int classNumber);

#endif
