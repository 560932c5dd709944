#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "lib/entity/BKEntity.h"

using Brenik::BKCurrency;
using Brenik::BKEntity;

namespace {

wxString Order(const BKEntity& entity)
{
    wxString keys;
    for (unsigned int index = 0; index < entity.GetCount(); ++index)
        keys += (index ? "," : "") + entity.Get(index)->GetKey();
    return keys;
}

// Exposes the prototype copy.
class CopiedEntity : public BKEntity {
public:
    explicit CopiedEntity(const BKEntity& prototype) { CopyFields(prototype); }
    void CopyAgain(const BKEntity& prototype) { CopyFields(prototype); }
};

}  // namespace

TEST(BKEntity, RedeclaringMovesFieldToEnd)
{
    BKEntity entity("companies", "id", "");
    entity.Set("id", 7u, false, false, "", 0, true);
    entity.Set("name", wxString("Mayer"), true, true, "", 0, true);
    entity.Set("city", wxString("Bonn"), true, true, "", 0, true);
    EXPECT_EQ("id,name,city", Order(entity));
    entity.Set("name", 5, false, false, "n", 3, false);
    EXPECT_EQ("id,city,name", Order(entity));
    EXPECT_EQ(3u, entity.GetCount());
    EXPECT_EQ(3u, entity.Get("name")->GetType());
    EXPECT_EQ("5", entity.Get("name")->ToString());
    EXPECT_EQ("companies", entity.GetName());
    EXPECT_EQ("id", entity.GetPrimaryKey());
}

TEST(BKEntity, SetValueKeepsFlagsAndTypeAndMovesToEnd)
{
    BKEntity entity;
    entity.Set("id", 0u, false, false, "", 0, true);
    entity.Set("name", wxString(), true, true, "label", 40, true);
    entity.Set("city", wxString(), true, false, "", 0, false);
    ASSERT_TRUE(entity.SetValue("name", 42));
    EXPECT_EQ("id,city,name", Order(entity));
    BKEntity::BKEntityType* name = entity.Get("name");
    EXPECT_EQ(0u, name->GetType());
    EXPECT_EQ("42", name->ToString());
    EXPECT_TRUE(name->GetDelimiters());
    EXPECT_TRUE(name->GetEscape());
    EXPECT_EQ("label", name->GetField());
    EXPECT_EQ(40u, name->GetLength());
    EXPECT_TRUE(name->GetNull());

    EXPECT_FALSE(entity.SetValue("Name", wxString("x")));
    EXPECT_FALSE(entity.SetValue("zip", 1));
    EXPECT_EQ(3u, entity.GetCount());

    EXPECT_TRUE(entity.SetValue("id", wxString("17")));
    EXPECT_EQ(4u, entity.Get("id")->GetType());
    EXPECT_EQ(17u, entity.Get("id")->ToUnsignedInt());
    EXPECT_TRUE(entity.SetValue("city", "K\xC3\xB6ln"));
    EXPECT_EQ(wxString::FromUTF8("K\xC3\xB6ln"), entity.Get("city")->ToString());
    EXPECT_TRUE(entity.SetValue("city", 2.5));
    EXPECT_EQ(2.5, entity.Get("city")->ToDouble());
    EXPECT_TRUE(entity.SetValue("city", true));
    EXPECT_EQ("true", entity.Get("city")->ToString());
}

TEST(BKEntity, ValueTypeSetsTypeCode)
{
    BKEntity entity;
    BKCurrency money(1.5);
    entity.Set("a", wxString("x"), true, true, "", 0, false);
    entity.Set("b", static_cast<short>(-3), false, false, "", 0, false);
    entity.Set("c", static_cast<unsigned short>(3), false, false, "", 0, false);
    entity.Set("d", -4, false, false, "", 0, false);
    entity.Set("e", 4u, false, false, "", 0, false);
    entity.Set("f", -5l, false, false, "", 0, false);
    entity.Set("g", 5ul, false, false, "", 0, false);
    entity.Set("h", 0.5f, false, false, "", 0, false);
    entity.Set("i", 0.25, false, false, "", 0, false);
    entity.Set("j", "utf8", true, true, "", 0, false);
    entity.Set("k", money, false, false, "", 0, false);
    entity.Set("l", true, false, false, "", 0, false);
    const char* keys[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
    for (unsigned int code = 0; code < 12; ++code)
        EXPECT_EQ(code, entity.Get(keys[code])->GetType()) << keys[code];
    EXPECT_EQ("-3", entity.Get("b")->ToString());
    EXPECT_EQ("true", entity.Get("l")->ToString());
    EXPECT_EQ("utf8", entity.Get("j")->ToString());
    EXPECT_EQ(1.5, entity.Get("k")->ToDouble());
}

TEST(BKEntity, FieldSettersChangeOnlyThatField)
{
    // Two fields declared alike share their attribute record; changing one must not
    // change the other.
    BKEntity first;
    BKEntity second;
    first.Set("name", wxString("a"), true, true, "", 0, true);
    second.Set("name", wxString("b"), true, true, "", 0, true);
    BKEntity::BKEntityType* field = first.Get("name");
    EXPECT_EQ(&field->GetAttributes(), &second.Get("name")->GetAttributes());

    field->SetKey("title");
    field->SetDelimiters(false);
    field->SetEscape(false);
    field->SetField("column");
    field->SetLength(12);
    field->SetNull(false);
    field->SetType(4);
    EXPECT_EQ("title", field->GetKey());
    EXPECT_FALSE(field->GetDelimiters());
    EXPECT_FALSE(field->GetEscape());
    EXPECT_EQ("column", field->GetField());
    EXPECT_EQ(12u, field->GetLength());
    EXPECT_FALSE(field->GetNull());
    EXPECT_EQ(4u, field->GetType());
    EXPECT_EQ("a", field->ToString());
    EXPECT_EQ(field, first.Get("title"));
    EXPECT_EQ(nullptr, first.Get("name"));

    BKEntity::BKEntityType* other = second.Get("name");
    EXPECT_EQ("name", other->GetKey());
    EXPECT_TRUE(other->GetDelimiters());
    EXPECT_TRUE(other->GetEscape());
    EXPECT_EQ("", other->GetField());
    EXPECT_EQ(0u, other->GetLength());
    EXPECT_TRUE(other->GetNull());
    EXPECT_EQ(0u, other->GetType());

    other->SetParameters("k", false, true, "f", 3, false, 11);
    EXPECT_EQ("k", other->GetKey());
    EXPECT_FALSE(other->GetDelimiters());
    EXPECT_TRUE(other->GetEscape());
    EXPECT_EQ("f", other->GetField());
    EXPECT_EQ(3u, other->GetLength());
    EXPECT_FALSE(other->GetNull());
    EXPECT_EQ(11u, other->GetType());
    EXPECT_EQ("b", other->ToString());
}

TEST(BKEntity, LookupsAndRemoval)
{
    BKEntity entity;
    entity.Set("id", 1, false, false, "", 0, false);
    entity.Set("name", wxString("x"), true, true, "", 0, false);
    EXPECT_EQ(nullptr, entity.Get(2u));
    EXPECT_EQ(nullptr, entity.Get("ID"));
    EXPECT_EQ("name", entity.Get(1u)->GetKey());
    EXPECT_FALSE(entity.Remove("missing"));
    EXPECT_TRUE(entity.Remove("id"));
    EXPECT_FALSE(entity.Remove("id"));
    EXPECT_EQ(1u, entity.GetCount());
    EXPECT_EQ("name", Order(entity));
}

TEST(BKEntity, EqualsIgnoresOrderButNotValues)
{
    BKEntity a("one", "id", "");
    BKEntity b("two", "key", "");
    a.Set("id", 7, false, false, "", 0, false);
    a.Set("name", wxString("Mayer"), true, true, "", 0, false);
    b.Set("name", wxString("Mayer"), false, false, "", 0, true);
    b.Set("id", 7, false, false, "", 0, false);
    EXPECT_TRUE(a.Equals(&b));
    EXPECT_TRUE(b.Equals(&a));
    b.SetValue("name", wxString("Maier"));
    EXPECT_FALSE(a.Equals(&b));
    b.SetValue("name", wxString("Mayer"));
    b.Set("id", wxString("7"), false, false, "", 0, false);  // same text, other type
    EXPECT_FALSE(a.Equals(&b));
    EXPECT_FALSE(a.Equals(nullptr));
    BKEntity shorter;
    shorter.Set("id", 7, false, false, "", 0, false);
    EXPECT_FALSE(a.Equals(&shorter));
}

TEST(BKEntity, ToStringListsFieldsLineByLine)
{
    BKEntity entity;
    EXPECT_EQ("", entity.ToString());
    entity.Set("id", 7, false, false, "", 0, false);
    entity.Set("name", wxString("Mayer"), true, true, "", 0, false);
    EXPECT_EQ("id => { 7 }\nname => { Mayer }", entity.ToString());
}

TEST(BKEntity, ToCsvEscapesSeparatorAndDelimiter)
{
    BKEntity entity;
    entity.Set("a\tb", wxString("x\ty"), true, true, "", 0, false);
    entity.Set("q\"", wxString("say \"hi\""), true, true, "", 0, false);
    entity.Set("lines", wxString("1\r\n2\n3\r4"), true, true, "", 0, false);
    EXPECT_EQ("\"a\\\tb\"\t\"q\\\"\"\t\"lines\"", entity.ToCsv(true, "{tab}", "\"", " ", false));
    EXPECT_EQ("\"x\\\ty\"\t\"say \\\"hi\\\"\"\t\"1 2 3 4\"",
              entity.ToCsv(false, "{tab}", "\"", " ", true));
    EXPECT_EQ("x\ty;say \"hi\";1\r\n2\n3\r4", entity.ToCsv(false, ";", "", "", false));
    EXPECT_EQ("'x\ty'|'say \"hi\"'|'1<br>2<br>3<br>4'",
              entity.ToCsv(false, "|", "'", "<br>", true));
}

TEST(BKEntity, MoveToEndGivesTheOrderOfSetValueCalls)
{
    BKEntity bulk;
    BKEntity stepwise;
    const char* keys[] = {"a", "b", "c", "d", "e"};
    for (const char* key : keys) {
        bulk.Set(key, wxString(), true, true, "", 0, false);
        stepwise.Set(key, wxString(), true, true, "", 0, false);
    }
    std::vector<bool> selected = {true, false, true, true, false};
    for (unsigned int index = 0; index < 5; ++index) {
        if (selected[index])
            stepwise.SetValue(keys[index], wxString("v"));
    }
    bulk.MoveToEnd(selected);
    EXPECT_EQ(Order(stepwise), Order(bulk));
    EXPECT_EQ("b,e,a,c,d", Order(bulk));
    bulk.MoveToEnd(std::vector<bool>(5, true));
    EXPECT_EQ("b,e,a,c,d", Order(bulk));
}

TEST(BKEntity, CopyFieldsMatchesDeclaringThem)
{
    BKEntity prototype;
    prototype.Set("id", 0u, false, false, "", 0, true);
    prototype.Set("name", wxString("Mayer"), true, true, "", 0, true);
    CopiedEntity copy(prototype);
    EXPECT_TRUE(copy.Equals(&prototype));
    EXPECT_EQ("id,name", Order(copy));
    EXPECT_NE(prototype.Get("name"), copy.Get("name"));
    copy.SetValue("name", wxString("other"));
    EXPECT_EQ("Mayer", prototype.Get("name")->ToString());
    EXPECT_TRUE(copy.Get("name")->GetDelimiters());
    EXPECT_EQ("BKEntity", copy.GetClassInfo().GetName());
    EXPECT_EQ("0.0.8", copy.GetClassInfo().GetVersion());
}

TEST(BKEntity, CopiedFieldsCanBeRemovedRedeclaredAndCopiedOver)
{
    BKEntity prototype;
    prototype.Set("id", 7u, false, false, "", 0, true);
    prototype.Set("name", wxString("Mayer"), true, true, "", 0, true);
    prototype.Set("city", wxString("Bonn"), true, true, "", 0, true);
    prototype.Set("notes", wxString("a text longer than any short-string buffer"), true, true, "",
                  0, true);

    CopiedEntity copy(prototype);
    EXPECT_TRUE(copy.Remove("name"));
    EXPECT_FALSE(copy.Remove("name"));
    copy.Set("city", 3, false, false, "", 0, false);
    copy.Set("zip", wxString("53111"), true, true, "", 0, true);
    EXPECT_TRUE(copy.SetValue("notes", wxString("another text longer than the buffer")));
    EXPECT_EQ("id,city,zip,notes", Order(copy));
    EXPECT_EQ(3u, copy.Get("city")->GetType());
    EXPECT_EQ("3", copy.Get("city")->ToString());
    EXPECT_EQ("another text longer than the buffer", copy.Get("notes")->ToString());
    EXPECT_EQ("7", copy.Get("id")->ToString());

    // A second copy replaces every field, those of the first copy and those declared since.
    copy.CopyAgain(prototype);
    EXPECT_TRUE(copy.Equals(&prototype));
    EXPECT_EQ("id,name,city,notes", Order(copy));
    // A fresh copy changes its order as a declared entity does.
    CopiedEntity moved(prototype);
    EXPECT_TRUE(moved.SetValue("name", wxString("Huber")));
    EXPECT_EQ("id,city,notes,name", Order(moved));
    CopiedEntity bulk(prototype);
    bulk.MoveToEnd({true, false, false, false});
    EXPECT_EQ("name,city,notes,id", Order(bulk));
    copy.Remove("id");
    copy.Remove("notes");
    copy.Remove("city");
    copy.Remove("name");
    EXPECT_EQ(0u, copy.GetCount());
    copy.Set("id", 1u, false, false, "", 0, true);

    BKEntity empty;
    CopiedEntity none(empty);
    EXPECT_EQ(0u, none.GetCount());
    none.Set("id", 2u, false, false, "", 0, true);
    EXPECT_EQ("2", none.Get("id")->ToString());
    // The prototype is untouched by all of it.
    EXPECT_EQ("id,name,city,notes", Order(prototype));
    EXPECT_EQ("Mayer", prototype.Get("name")->ToString());
}

TEST(BKEntity, TextsSetTogetherBehaveAsTextsSetOneByOne)
{
    const std::string notes(300, 'n');
    const std::string logo(5000, 'L');
    BKEntity together;
    BKEntity oneByOne;
    for (const char* key : {"id", "name", "notes", "logo"}) {
        together.Set(key, wxString(), true, true, "", 0, true);
        oneByOne.Set(key, wxString(), true, true, "", 0, true);
    }
    together.SetTexts({{1, "Mayer", 5}, {2, notes.data(), notes.size()}, {3, logo.data(), 0}});
    oneByOne.Get("name")->SetUtf8("Mayer");
    oneByOne.Get("notes")->SetUtf8(notes);
    EXPECT_TRUE(together.Equals(&oneByOne));
    EXPECT_EQ(notes, together.Get("notes")->GetUtf8());
    EXPECT_EQ('\0', together.Get("name")->GetUtf8().data()[5]);

    // Copies and later changes own their texts; fields not given again keep theirs when the
    // next row's texts replace the block.
    const Brenik::BKCasts copied = *together.Get("notes");
    const Brenik::BKCasts moved(std::move(*together.Get("name")));
    together.Get("name")->SetUtf8("Schulz");
    together.SetTexts({{3, logo.data(), logo.size()}});
    together.SetTexts({{0, "42", 2}});
    EXPECT_EQ("42", together.Get("id")->GetUtf8());
    EXPECT_EQ("Schulz", together.Get("name")->GetUtf8());
    EXPECT_EQ(notes, together.Get("notes")->GetUtf8());
    EXPECT_EQ(logo, together.Get("logo")->GetUtf8());
    EXPECT_EQ(notes, copied.GetUtf8());
    EXPECT_EQ("Mayer", moved.GetUtf8());
    EXPECT_EQ(42u, together.Get("id")->ToUnsignedInt());
}
