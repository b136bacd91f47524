#pragma once
// Constant tables from a shader file's annotations:
//   //! const <name> c<register> [<count>]   (also i<register>, b<register>)
//   //! sampler <name> s<register>
//   //! name <text>                           (the file's name for diagnostics)

#include "d3d9gl/d3dx9.h"
#include "d3d9gl/refcounted.h"
#include "d3d9gl/shadersource.h"

#include <string>
#include <string_view>
#include <vector>

namespace d3d9gl
{

struct ConstantAnnotation_t
{
    std::string name;
    D3DXREGISTER_SET registerSet;
    UINT registerIndex;
    UINT registerCount;
};

// Reads every annotation of a stage's source; a malformed one, or one whose registers the
// stage does not have, is logged (module "D3D9GL") and skipped.
std::vector<ConstantAnnotation_t> ParseConstantAnnotations(ShaderStage stage,
                                                           std::string_view text);

// The text of a `//! name` annotation, or empty.
std::string ParseShaderName(std::string_view text);

class ConstantTable final : public RefCounted<ID3DXConstantTable>
{
public:
    ConstantTable(ShaderStage stage, std::vector<ConstantAnnotation_t> constants);

    HRESULT GetDesc(D3DXCONSTANTTABLE_DESC* pDesc) override;
    HRESULT GetConstantDesc(D3DXHANDLE hConstant, D3DXCONSTANT_DESC* pConstantDesc,
                            UINT* pCount) override;
    UINT GetSamplerIndex(D3DXHANDLE hConstant) override;
    D3DXHANDLE GetConstant(D3DXHANDLE hConstant, UINT Index) override;
    D3DXHANDLE GetConstantByName(D3DXHANDLE hConstant, LPCSTR pName) override;
    HRESULT SetBool(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, BOOL b) override;
    HRESULT SetBoolArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const BOOL* pb,
                         UINT Count) override;
    HRESULT SetInt(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, INT n) override;
    HRESULT SetIntArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const INT* pn,
                        UINT Count) override;
    HRESULT SetFloat(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, FLOAT f) override;
    HRESULT SetFloatArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const FLOAT* pf,
                          UINT Count) override;
    HRESULT SetVector(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                      const D3DXVECTOR4* pVector) override;
    HRESULT SetVectorArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                           const D3DXVECTOR4* pVector, UINT Count) override;
    HRESULT SetMatrix(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                      const D3DXMATRIX* pMatrix) override;
    HRESULT SetMatrixTranspose(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                               const D3DXMATRIX* pMatrix) override;

private:
    // A handle is the pointer GetConstantByName returned, or a constant's name itself.
    const ConstantAnnotation_t* Find(D3DXHANDLE hConstant) const;
    // Writes values (scalars packed four to a register for float and int registers, one
    // per register for bools), limited to the constant's registers.
    HRESULT Write(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const float* pValues,
                  UINT count);

    ShaderStage m_Stage;
    std::vector<ConstantAnnotation_t> m_Constants;
};

} // namespace d3d9gl
