#pragma once
// CTTransactionLayer: the memory engine's storage of one layer, one element
// map per table the engine serves. The bottom layer holds the committed
// data; a layer above holds copies of the elements changed in it, marked
// inserted, updated or deleted. Lookups fall through to the layers below.
//
// A layer never writes into the layers below it: an element whose values or
// back-references change in a step is copied into the step's layer first.
// Each layer thus holds the whole new state of what its step touched, and
// taking a layer off the stack (undo) or putting it back (redo) restores
// data and back-references together.

#include "db/ElemDbObject.h"

#include <iosfwd>
#include <memory>
#include <vector>

namespace aw {

class CTTransactionLayer
{
public:
  // The engine's tables: a list parallel to the factory's table list that
  // keeps a table only when the engine serves it.
  using TableList = std::vector<CTTableInfo*>;

  // A bottom layer with one empty map per table of pTblInfo.
  static std::unique_ptr<CTTransactionLayer> CreateSimple(const TableList& pTblInfo);
  // The layer of one step on top of pParLayer; its maps start at the
  // parent's maximum ids. nSingleObjID names the one object whose plain
  // updates the layer holds (0: the layer holds other changes).
  static std::unique_ptr<CTTransactionLayer> Create(const TableList& pTblInfo,
                                                    std::unique_ptr<CTTransactionLayer> pParLayer, int nMsgID,
                                                    int nAppUpdateCode, bool bCanRedo, int nSingleClsID,
                                                    int nSingleObjID);
  CTTransactionLayer(const TableList& pTblInfo, std::unique_ptr<CTTransactionLayer> pParLayer);
  // Destroys the whole parent chain with the layer.
  ~CTTransactionLayer();
  CTTransactionLayer(const CTTransactionLayer&) = delete;
  CTTransactionLayer& operator=(const CTTransactionLayer&) = delete;

  CTTransactionLayer* GetParent() const { return v_parentLayer.get(); }
  void SetParent(std::unique_ptr<CTTransactionLayer> pParent) { v_parentLayer = std::move(pParent); }
  std::unique_ptr<CTTransactionLayer> TakeParent() { return std::move(v_parentLayer); }
  int GetDescription() const { return v_description; }
  int GetAppUpdateCode() const { return v_updateCode; }
  void SetAppUpdateCode(int nCode) { v_updateCode = nCode; }
  bool CanRedo() const { return v_canRedo; }
  int SingleClsID() const { return v_singleClsID; }
  int SingleObjID() const { return v_singleObjID; }
  // The number of elements the layer holds itself, marked deleted or not.
  int ElementCount() const;

  // Merges every layer below into this one, which becomes a bottom layer.
  // Elements marked deleted have nothing left to hide and are freed.
  // Living elements keep their addresses; the versions they hid are freed.
  void Fold();
  // The map of a table in this layer, or none.
  CTElemDbObjectMap* Map(int nClsID) const;
  int MapCount() const { return static_cast<int>(v_maps.size()); }

  // The element in this layer's own map, whatever its marks.
  CTElemDbObject* OwnElement(int nClsID, int nObjID) const;
  // The living element seen from this layer, through the layers below.
  CTElemDbObject* FindObject(int nClsID, int nObjID) const;
  std::vector<CTElemDbObject*> AddObjectsOfClass(int nClsID) const;
  int CountObjectsOfClass(int nClsID) const;
  // The elements whose values equal every non-default value of the example.
  std::vector<CTElemDbObject*> ObjectsMatching(int nClsID, const CTValueList& pValues) const;

  // Storage operations; the integrity checks raise as the engine reports.
  CTElemDbObject* InsertObject(int nClsID, CTValueList& pValues, bool bAutoCorrect);
  bool UpdateObject(int nClsID, int nObjID, const CTValueList& pValuesNoBinaries, bool bAutoCorrect);
  bool UpdateObjectREF(int nClsID, int nObjID, int nFieldIx, int nToClsID, int nToObjID, bool bAutoCorrect);
  bool UpdateBinary(int nClsID, int nObjID, int nFieldIx, std::span<const std::byte> bytes);
  bool RemoveObject(int nClsID, int nObjID);
  // Frees the elements marked deleted (all of them with bRemoveDeleted, else
  // those inserted in this layer) and, above the bottom, the copies that
  // ended up equal to the version below; true when any element remains.
  bool Optimize(bool bRemoveDeleted);

  // A readable dump of the layer and the layers below it.
  void DebugDump(std::ostream& out) const;

  // Integrity of the references of one value list: every link that requires
  // integrity must find its element; a one-to-one link may have one referrer.
  bool CheckIntegrity(int nMyCls, int nMyID, const CTValueList& pVals, bool bAutoCorrect) const;
  void StoreReferences(int nMyCls, const CTValueList& pNewVals, const CTValueList* pOldVals);
  // Registers the references of an element read from a file (no duplicate check).
  void StoreReferencesAtRead(int nMyCls, const CTValueList& pNewVals);
  // Elements of the class that refer, through an integrity link, to a table this engine does not serve.
  std::vector<CTElemDbObject*> AddOrphans(int nClsID) const;

  // The element copied into this layer for a change, or none when it does
  // not exist (or was removed in this layer).
  CTElemDbObject* MakeWritable(int nClsID, int nObjID);

private:
  bool CheckIntegrity1Field(int nMyCls, int nMyID, const CTValueList& pNewVals, const CTTableLink* pLink,
                            int nFieldIx, bool bAutoCorrect) const;
  void StoreReference1Field(int nMyCls, int nMyID, const CTValueList& pNewVals, const CTValueList* pOldVals,
                            const CTTableLink* pLink, int nFieldIx);
  bool HasMapFor(int nClsID) const { return Map(nClsID) != nullptr; }
  // A copy made only to change back-references that ended up as they are below.
  bool IsUnchangedCopy(const CTElemDbObject& elem) const;
  // Moves this layer's elements into pBottom, a bottom layer, and takes its maps.
  void MergeInto(CTTransactionLayer& pBottom);
  void ClearSingleObject() { v_singleObjID = 0; }

  std::unique_ptr<CTTransactionLayer> v_parentLayer;
  int v_description = 0;
  int v_updateCode = 0;
  std::vector<std::unique_ptr<CTElemDbObjectMap>> v_maps; // indexed by class id
  bool v_canRedo = false;
  int v_singleClsID = 0;
  int v_singleObjID = 0;
};

} // namespace aw
