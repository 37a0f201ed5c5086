// What the export files share among themselves.
#ifndef DURIZ_ENGINE_API_INTERNAL_H
#define DURIZ_ENGINE_API_INTERNAL_H

// Gives back the value the last getter answer kept alive.
void ReleaseLastAnswer();

#endif
