#pragma once
// Where lessons find their files: data lives in the parent of the working directory (the
// executable's folder), shaders in its Shader/hlsl folder.

#include <string>

// GetDataPath("Data/plane.bin") is "../Data/plane.bin".
std::string GetDataPath(const std::string& relative);
// GetShaderPath("Lighting.wvu") is "../Shader/hlsl/Lighting.wvu".
std::string GetShaderPath(const std::string& fileName);
