#include "MemDbFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace aw {
namespace {

using namespace aw::test;

// The tables whose elements the tests look at, in class-id order.
constexpr int kStoredTables[] = {kBrisa, kFamily, kOption, kPlenum};

char Letter(int nClsID)
{
  switch (nClsID) {
  case kBrisa: return 'B';
  case kFamily: return 'F';
  case kOption: return 'O';
  case kPlenum: return 'P';
  default: return '?';
  }
}

int ClassOfLetter(char c)
{
  for (int clsID : kStoredTables)
    if (Letter(clsID) == c)
      return clsID;
  return -1;
}

const CTTableLink* LinkOf(const CTTableInfo& table, int nFieldIx)
{
  const CTFieldInfo* field = table.Field(nFieldIx);
  return field ? field->GetReferenceTo() : nullptr;
}

// Transactions are driven by short commands, one step being a few of them
// separated by "; ":
//   begin / beginNR (no redo) / edit F1 (a step for updating one object) / end
//   null / endnull, undo, redo, depth N (maximum undo depth), write
//   +F name, +B F1, +O B1, +P B1 (insert), =F1 name (rename), >B1 F2 (change
//   the reference), -B1 (remove with cascades); "!" in front: the change must fail.
class TransactionTest : public MemDbTest
{
protected:
  int nextMsg = 100;

  void TearDown() override
  {
    CTMemDbEngine::SetMaxUndoDepth(5);
    MemDbTest::TearDown();
  }

  // The living elements in class-id and id order: values that matter, the
  // references (">F1") and the back-references in stored order ("<B1").
  std::string State() const
  {
    std::string state;
    for (int clsID : kStoredTables) {
      std::vector<CTElemDbObject*> elements = engine->TopLayer().AddObjectsOfClass(clsID);
      std::sort(elements.begin(), elements.end(), [](auto* a, auto* b) { return a->ID() < b->ID(); });
      for (CTElemDbObject* elem : elements) {
        state += (state.empty() ? "" : " ") + std::string(1, Letter(clsID)) + std::to_string(elem->ID());
        if (clsID == kFamily)
          state += "=" + elem->Values().GetUnicodeStringValue(FAM_Name);
        const CTFieldList& fields = elem->DatabaseTable()->GetFieldInfo();
        for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
          std::int32_t refCls = 0, refObj = 0;
          if (LinkOf(*elem->DatabaseTable(), ix))
            elem->Values().GetRefValues(ix, refCls, refObj);
          if (refObj > 0)
            state += ">" + std::string(1, Letter(refCls)) + std::to_string(refObj);
        }
        for (const CTDbRelation& r : elem->Refs())
          state += "<" + std::string(1, Letter(r.v_refClsID)) + std::to_string(r.v_refObjID);
      }
    }
    return state;
  }

  // Every stored reference resolves, is listed once on the element it names,
  // and every listed referrer lives and refers back through its link.
  void ExpectIntegrity(const std::string& where) const
  {
    const CTTransactionLayer& top = engine->TopLayer();
    for (int clsID : kStoredTables)
      for (CTElemDbObject* elem : top.AddObjectsOfClass(clsID)) {
        const CTTableInfo& table = *elem->DatabaseTable();
        for (int ix = 1; ix < table.FieldCount(); ++ix) {
          const CTTableLink* link = LinkOf(table, ix);
          if (!link)
            continue;
          std::int32_t refCls, refObj;
          elem->Values().GetRefValues(ix, refCls, refObj);
          if (refObj <= 0)
            continue;
          CTElemDbObject* target = top.FindObject(refCls, refObj);
          ASSERT_TRUE(target) << where << ": " << Letter(clsID) << elem->ID() << " refers to a missing object";
          const auto listed = std::count_if(target->Refs().begin(), target->Refs().end(), [&](const CTDbRelation& r) {
            return r.v_model == link && r.v_refClsID == clsID && r.v_refObjID == elem->ID();
          });
          EXPECT_EQ(listed, 1) << where << ": " << Letter(clsID) << elem->ID() << " on " << Letter(refCls) << refObj;
        }
        for (const CTDbRelation& r : elem->Refs()) {
          const CTElemDbObject* referrer = top.FindObject(r.v_refClsID, r.v_refObjID);
          ASSERT_TRUE(referrer) << where << ": stale referrer on " << Letter(clsID) << elem->ID();
          std::int32_t refCls, refObj;
          referrer->Values().GetRefValues(r.v_model->ToFieldIx(), refCls, refObj);
          EXPECT_TRUE(refCls == clsID && refObj == elem->ID()) << where << ": " << Letter(clsID) << elem->ID();
        }
      }
  }

  std::unique_ptr<CTDbObject> Named(const std::string& ref)
  {
    return Stored(ClassOfLetter(ref[0]), std::stoi(ref.substr(1)));
  }

  static int ReferenceField(char table) { return table == 'B' ? BRI_Family : table == 'O' ? OPT_Device : PLN_Brisa; }

  // Runs one change; false when the engine refused it.
  bool Change(char op, const std::string& a, const std::string& b)
  {
    if (op == '+') {
      CTDbObject obj(ClassOfLetter(a[0]));
      if (a == "F")
        obj.SetUnicodeStringValue(FAM_Name, b);
      else
        obj.SetRelationByIx(ReferenceField(a[0]), Named(b).get());
      return obj.Insert();
    }
    std::unique_ptr<CTDbObject> obj = Named(a);
    if (!obj)
      return false;
    if (op == '-')
      return obj->Remove();
    if (op == '=')
      obj->SetUnicodeStringValue(FAM_Name, b);
    else
      obj->SetRelationByIx(ReferenceField(a[0]), Named(b).get());
    return obj->Update();
  }

  void Run(const std::string& command)
  {
    std::istringstream words(command);
    std::string verb, a;
    words >> verb >> a;
    if (verb == "begin" || verb == "beginNR")
      engine->StartTransaction(nextMsg++, 1, verb == "begin", 0, 0);
    else if (verb == "edit")
      engine->StartTransaction(nextMsg++, 2, true, ClassOfLetter(a[0]), std::stoi(a.substr(1)));
    else if (verb == "end")
      engine->EndTransaction();
    else if (verb == "null")
      engine->StartNullTransaction();
    else if (verb == "endnull")
      engine->EndNullTransaction();
    else if (verb == "undo")
      engine->Undo();
    else if (verb == "redo")
      engine->Redo();
    else if (verb == "depth")
      CTMemDbEngine::SetMaxUndoDepth(std::stoi(a));
    else if (verb == "write")
      Written();
    else {
      // "+F a" names the table after the operator, the others the object.
      const bool mustFail = verb[0] == '!';
      const std::string change = verb.substr(mustFail ? 1 : 0);
      EXPECT_EQ(Change(change[0], change.substr(1), a), !mustFail) << command;
    }
  }

  void RunStep(const std::string& commands)
  {
    std::size_t start = 0;
    while (start <= commands.size()) {
      const std::size_t end = std::min(commands.find("; ", start), commands.size());
      Run(commands.substr(start, end - start));
      start = end + 2;
    }
  }
};

struct Step
{
  const char* commands;
  const char* state; // State() afterwards
  int undoSteps;
  int redoSteps;
};

struct Sequence
{
  const char* name;
  std::vector<Step> steps;
};

const Sequence kSequences[] = {
  {"insert outside and inside a transaction",
   {{"+F a", "F1=a", 0, 0},
    {"begin; +F b; end", "F1=a F2=b", 1, 0},
    {"undo", "F1=a", 0, 1},
    {"redo", "F1=a F2=b", 1, 0},
    {"undo; +F c", "F1=a F2=c", 0, 0}}},
  {"updates and reference changes",
   {{"+F a; +F b; +B F1", "B1>F1 F1=a<B1 F2=b", 0, 0},
    {"begin; >B1 F2; end", "B1>F2 F1=a F2=b<B1", 1, 0},
    {"begin; =F2 c; end", "B1>F2 F1=a F2=c<B1", 2, 0},
    {"undo", "B1>F2 F1=a F2=b<B1", 1, 1},
    {"undo", "B1>F1 F1=a<B1 F2=b", 0, 2},
    {"redo; redo", "B1>F2 F1=a F2=c<B1", 2, 0}}},
  {"removal with cascades",
   {{"+F a; +B F1; +O B1; +O B1", "B1>F1<O1<O2 F1=a<B1 O1>B1 O2>B1", 0, 0},
    {"begin; -B1; end", "F1=a", 1, 0},
    {"undo", "B1>F1<O1<O2 F1=a<B1 O1>B1 O2>B1", 0, 1},
    {"redo", "F1=a", 1, 0},
    {"undo; begin; -O1; end", "B1>F1<O2 F1=a<B1 O2>B1", 1, 0},
    {"redo", "B1>F1<O2 F1=a<B1 O2>B1", 1, 0}}},
  {"nested transactions make one step",
   {{"begin; +F a; begin; +F b; end; =F1 c; end", "F1=c F2=b", 1, 0},
    {"undo", "", 0, 1},
    {"redo", "F1=c F2=b", 1, 0}}},
  {"repeated updates of one object share a step",
   {{"+F a; +F x", "F1=a F2=x", 0, 0},
    {"edit F1; =F1 b; end", "F1=b F2=x", 1, 0},
    {"edit F1; =F1 c; end", "F1=c F2=x", 1, 0},
    {"edit F1; =F1 d; =F2 y; end", "F1=d F2=y", 1, 0},
    {"edit F1; =F1 e; end", "F1=e F2=y", 2, 0},
    {"undo", "F1=d F2=y", 1, 1},
    {"undo", "F1=a F2=x", 0, 2}}},
  {"undo past the depth limit",
   {{"depth 2; +F a", "F1=a", 0, 0},
    {"begin; =F1 b; end; begin; =F1 c; end", "F1=c", 2, 0},
    {"begin; =F1 d; end", "F1=d", 2, 0},
    {"undo; undo; undo", "F1=b", 0, 2},
    {"depth 0; begin; =F1 e; end", "F1=e", 0, 0}}},
  {"steps without changes, refused changes and steps that cannot be redone",
   {{"+F a; +B F1", "B1>F1 F1=a<B1", 0, 0},
    {"begin; +B F1; -B2; end", "B1>F1 F1=a<B1", 0, 0},
    {"begin; !-F1; end", "B1>F1 F1=a<B1", 0, 0},
    {"begin; +P B1; !+P B1; end", "B1>F1<P1 F1=a<B1 P1>B1", 1, 0},
    {"+B F1; +P B2", "B1>F1<P1 B2>F1<P2 F1=a<B1<B2 P1>B1 P2>B2", 0, 0},
    {"begin; !>P2 B1; end", "B1>F1<P1 B2>F1<P2 F1=a<B1<B2 P1>B1 P2>B2", 0, 0},
    {"begin; =F1 b; end; beginNR; =F1 c; end", "B1>F1<P1 B2>F1<P2 F1=c<B1<B2 P1>B1 P2>B2", 2, 0},
    {"undo", "B1>F1<P1 B2>F1<P2 F1=b<B1<B2 P1>B1 P2>B2", 1, 0}}},
  {"null transactions leave nothing behind",
   {{"+F a; +B F1; +O B1", "B1>F1<O1 F1=a<B1 O1>B1", 0, 0},
    {"begin; =F1 b; end; undo", "B1>F1<O1 F1=a<B1 O1>B1", 0, 1},
    {"null; -B1; +F c; +B F2; =F1 d", "B2>F2 F1=d F2=c<B2", -1, -1},
    {"endnull", "B1>F1<O1 F1=a<B1 O1>B1", 0, 1},
    {"redo", "B1>F1<O1 F1=b<B1 O1>B1", 1, 0}}},
};

TEST_F(TransactionTest, SequencesKeepDataAndBackReferencesAtEveryStep)
{
  for (const Sequence& sequence : kSequences) {
    SCOPED_TRACE(sequence.name);
    NewEngine();
    CTMemDbEngine::SetMaxUndoDepth(5);
    for (const Step& step : sequence.steps) {
      SCOPED_TRACE(step.commands);
      RunStep(step.commands);
      EXPECT_EQ(State(), step.state);
      ExpectIntegrity(step.commands);
      if (step.undoSteps >= 0) {
        EXPECT_EQ(engine->UndoSteps(), step.undoSteps);
        EXPECT_EQ(engine->RedoSteps(), step.redoSteps);
      }
    }
  }
}

TEST_F(TransactionTest, UndoAndRedoAnswerTheStepsMessageAndUpdateCode)
{
  int msg = -1;
  EXPECT_FALSE(engine->CanUndo(msg));
  EXPECT_EQ(engine->Undo(), 0);
  EXPECT_EQ(engine->Redo(), 0);

  engine->StartTransaction(7, 1, true, 0, 0);
  engine->StartTransaction(8, 4, true, 0, 0);
  EXPECT_EQ(engine->TransactionDepth(), 2);
  Insert(kFamily);
  engine->EndTransaction();
  EXPECT_FALSE(engine->CanUndo(msg)) << "not while a transaction is open";
  EXPECT_EQ(engine->Undo(), 0);
  EXPECT_EQ(engine->CountObjects(kFamily), 1);
  engine->EndTransaction();
  EXPECT_EQ(engine->TransactionDepth(), 0);

  ASSERT_TRUE(engine->CanUndo(msg));
  EXPECT_EQ(msg, 7);
  EXPECT_EQ(engine->Undo(), 5) << "the codes of nested starts are OR-ed";
  ASSERT_TRUE(engine->CanRedo(msg));
  EXPECT_EQ(msg, 7);
  EXPECT_EQ(engine->Redo(), 5);
  EXPECT_FALSE(engine->CanRedo(msg));
  EXPECT_TRUE(engine->HasCapability(dbcUndo) && engine->HasCapability(dbcRedo));
}

TEST_F(TransactionTest, DepthSettingAndReadOnlyEngines)
{
  CTMemDbEngine::SetMaxUndoDepth(25);
  EXPECT_EQ(CTMemDbEngine::GetMaxUndoDepth(), 5);
  for (int i = 0; i < 6; ++i) {
    engine->StartTransaction(i, 1, true, 0, 0);
    Insert(kFamily);
    engine->EndTransaction();
  }
  EXPECT_EQ(engine->UndoSteps(), 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(engine->Undo(), 1);
  EXPECT_EQ(engine->Undo(), 0);
  EXPECT_EQ(engine->CountObjects(kFamily), 1);

  NewEngine(true);
  engine->StartTransaction(1, 1, true, 0, 0);
  engine->EndTransaction();
  int msg = 0;
  EXPECT_FALSE(engine->CanUndo(msg));
  EXPECT_FALSE(engine->CanRedo(msg));
}

TEST_F(TransactionTest, AnUndoneRemovalIsFoundAgainByItsRelations)
{
  auto family = Insert(kFamily);
  auto brisa = Insert(kBrisa, [&](CTDbObject& b) { b.SetRelationByIx(BRI_Family, family.get()); });
  engine->StartTransaction(1, 1, true, 0, 0);
  ASSERT_TRUE(Stored(kBrisa, brisa->GetID())->Remove());
  engine->EndTransaction();
  EXPECT_EQ(family->GetRelatedByIx(kBrisa, BRI_Family).Count(), 0);
  engine->Undo();
  EXPECT_TRUE(engine->ObjectExists(kBrisa, brisa->GetID()));
  CTDbObjectList related = family->GetRelatedByIx(kBrisa, BRI_Family);
  ASSERT_EQ(related.Count(), 1);
  EXPECT_EQ(related[0]->GetID(), brisa->GetID());
}

TEST_F(TransactionTest, QueriesAndWritesWhileATransactionIsOpen)
{
  RunStep("+F a; +F b; +B F1; begin; >B1 F2; +F c");
  EXPECT_EQ(engine->CountObjects(kFamily), 3) << "queries see the open transaction";
  EXPECT_EQ(Stored(kFamily, 2)->GetRelatedByIx(kBrisa, BRI_Family).Count(), 1);
  EXPECT_EQ(Stored(kFamily, 1)->GetRelatedByIx(kBrisa, BRI_Family).Count(), 0);
  const std::string duringStep = Written();
  RunStep("=F3 d; end");
  EXPECT_EQ(engine->UndoSteps(), 0) << "the write folded the open step in";
  EXPECT_EQ(State(), "B1>F2 F1=a F2=b<B1 F3=d");

  // The scratch layer of a null transaction is neither written nor kept.
  RunStep("begin; -B1; end; undo; null; +F x");
  EXPECT_EQ(engine->RedoSteps(), 1);
  const std::string duringNull = Written();
  RunStep("endnull");
  EXPECT_EQ(engine->RedoSteps(), 0) << "writing drops the redo stack";
  EXPECT_EQ(State(), "B1>F2 F1=a F2=b<B1 F3=d");
  ExpectIntegrity("after the null transaction");

  NewEngine();
  ASSERT_TRUE(Load(duringStep));
  EXPECT_EQ(State(), "B1>F2 F1=a F2=b<B1 F3=c");
  NewEngine();
  ASSERT_TRUE(Load(duringNull));
  EXPECT_EQ(State(), "B1>F2 F1=a F2=b<B1 F3=d");
}

TEST_F(TransactionTest, RemovalsInsideAStepStayHidden)
{
  // Purging inside a step keeps the marks that hide the committed objects.
  RunStep("+F a; +F b; begin");
  engine->PurgeTable(kFamily);
  RunStep("end");
  EXPECT_EQ(State(), "");
  EXPECT_EQ(engine->TableMap(kFamily)->GetMaxID(), 0);
  RunStep("undo");
  EXPECT_EQ(State(), "F1=a F2=b");
  RunStep("redo");
  EXPECT_EQ(State(), "");

  // An object removed and inserted again under its id, then removed once more.
  RunStep("undo; begin; -F1");
  CTDbObject again(kFamily);
  again.SetUnicodeStringValue(FAM_Name, "c");
  ASSERT_TRUE(again.InsertWithID(1));
  EXPECT_EQ(State(), "F1=c F2=b");
  RunStep("-F1; end");
  EXPECT_EQ(State(), "F2=b");
  RunStep("undo");
  EXPECT_EQ(State(), "F1=a F2=b");
}

TEST_F(TransactionTest, DebugDumpShowsBothStacks)
{
  RunStep("+F a; begin; +B F1; end; begin; =F1 b; end; undo");
  std::ostringstream dump;
  engine->DebugDump(dump);
  EXPECT_EQ(dump.str(), "TRANSACTION STACK\n=================\n"
                        "LAYER\n"
                        "  MAP 2\n    OBJECT 1\n      status = INSERTED\n    END OBJECT\n  END MAP\n"
                        "  MAP 3\n    OBJECT 1\n      status =\n      referred by (2, 1) - FamilyOfBrisa\n"
                        "    END OBJECT\n  END MAP\n"
                        "END LAYER\n"
                        "PREVIOUS LAYER\n"
                        "  MAP 3\n    OBJECT 1\n      status = INSERTED\n    END OBJECT\n  END MAP\n"
                        "END LAYER\n"
                        "\nREDO STACK\n==========\n"
                        "LAYER\n"
                        "  MAP 3\n    OBJECT 1\n      status = UPDATED\n      referred by (2, 1) - FamilyOfBrisa\n"
                        "    END OBJECT\n  END MAP\n"
                        "END LAYER\n");
}

// Snapshots of the database before and after each undoable step, kept beside
// the engine's stacks: undo must bring back exactly the state before a step,
// redo exactly the state after it.
struct StepModel
{
  struct Entry
  {
    int msg;
    std::string before, after;
  };
  std::vector<Entry> undo, redo;
};

TEST_F(TransactionTest, RandomisedOperationsKeepIntegrityAndRestoreStates)
{
  std::mt19937 rng(21);
  StepModel model;
  CTMemDbEngine::SetMaxUndoDepth(4);
  RunStep("+F a; +B F1");
  auto pick = [&](int clsID) -> std::string {
    std::vector<CTElemDbObject*> all = engine->TopLayer().AddObjectsOfClass(clsID);
    if (all.empty())
      return {};
    std::sort(all.begin(), all.end(), [](auto* a, auto* b) { return a->ID() < b->ID(); });
    return Letter(clsID) + std::to_string(all[rng() % all.size()]->ID());
  };
  auto change = [&]() {
    const std::string family = pick(kFamily), brisa = pick(kBrisa);
    // A small database keeps the per-operation checks cheap and the removals meaningful.
    int population = 0;
    for (int clsID : kStoredTables)
      population += engine->CountObjects(clsID);
    const int what = population > 60 ? 8 : static_cast<int>(rng() % 9);
    const std::string anyObject = pick(kStoredTables[rng() % 4]);
    switch (what) {
    case 0: Change('+', "F", "n" + std::to_string(rng() % 100)); break;
    case 1:
    case 2: if (!family.empty()) Change('+', "B", family); break;
    case 3: if (!brisa.empty()) Change('+', "O", brisa); break;
    case 4: if (!brisa.empty()) Change('+', "P", brisa); break;
    case 5: if (!family.empty()) Change('=', family, "r" + std::to_string(rng() % 100)); break;
    case 6: if (!brisa.empty() && !family.empty()) Change('>', brisa, family); break;
    default: if (!anyObject.empty()) Change('-', anyObject, ""); break;
    }
  };

  int msg = 0;
  for (int op = 0; op < 3000; ++op) {
    const int kind = static_cast<int>(rng() % 10);
    const std::string where = "operation " + std::to_string(op);
    if (kind <= 3) { // a step of one to three changes, sometimes nested
      const std::string before = State();
      const int stepMsg = nextMsg++;
      engine->StartTransaction(stepMsg, 1, rng() % 8 != 0, 0, 0);
      model.redo.clear();
      for (int n = 1 + static_cast<int>(rng() % 3); n > 0; --n) {
        if (rng() % 4 == 0) {
          engine->StartTransaction(0, 2, true, 0, 0);
          change();
          engine->EndTransaction();
        } else {
          change();
        }
      }
      engine->EndTransaction();
      if (engine->CanUndo(msg) && msg == stepMsg) {
        model.undo.push_back({stepMsg, before, State()});
        if (model.undo.size() > 4)
          model.undo.erase(model.undo.begin());
      }
    } else if (kind == 4) { // a removal or a write: both commit what is there
      const std::string victim = pick(kStoredTables[rng() % 4]);
      if (victim.empty() || rng() % 4 == 0)
        Written();
      else
        Change('-', victim, "");
      model.undo.clear();
      model.redo.clear();
    } else if (kind <= 6) {
      if (model.undo.empty()) {
        ASSERT_FALSE(engine->CanUndo(msg)) << where;
        continue;
      }
      ASSERT_TRUE(engine->CanUndo(msg)) << where;
      ASSERT_EQ(msg, model.undo.back().msg) << where;
      engine->Undo();
      ASSERT_EQ(State(), model.undo.back().before) << where;
      model.redo.push_back(model.undo.back());
      model.undo.pop_back();
      if (engine->RedoSteps() == 0)
        model.redo.clear(); // the step did not allow redo
    } else if (kind <= 8) {
      if (model.redo.empty()) {
        ASSERT_FALSE(engine->CanRedo(msg)) << where;
        continue;
      }
      engine->Redo();
      ASSERT_EQ(State(), model.redo.back().after) << where;
      model.undo.push_back(model.redo.back());
      model.redo.pop_back();
    } else { // a null transaction changes nothing, not even the stacks
      const std::string before = State();
      const int undoSteps = engine->UndoSteps(), redoSteps = engine->RedoSteps();
      engine->StartNullTransaction();
      change();
      change();
      engine->EndNullTransaction();
      ASSERT_EQ(State(), before) << where;
      ASSERT_EQ(engine->UndoSteps(), undoSteps) << where;
      ASSERT_EQ(engine->RedoSteps(), redoSteps) << where;
    }
    ExpectIntegrity(where);
    if (HasFatalFailure() || HasNonfatalFailure())
      return;
  }
  EXPECT_GT(engine->CountObjects(kOption) + engine->CountObjects(kBrisa), 0);
}

} // namespace
} // namespace aw
