#pragma once
// The orbit camera every 3D lesson starts with.

class CameraViewer;

// A 60-degree perspective at the window's aspect (near 0.1, far 10000), looking at the
// origin from `eyeDistance` along +z, with the lessons' damping (0.9, 0.9, 0.7), pitch
// limits of +-80 degrees and distance limits 1 to 100.
void SetUpLessonCamera(CameraViewer& camera, float eyeDistance);

// Raises the nearest zoom so that neither the eye nor the near plane enters a model of
// `radius` around the target (never below 1 nor above the farthest zoom of 100).
void KeepEyeOutside(CameraViewer& camera, float radius);
