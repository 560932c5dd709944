#include <functional>

#include <gtest/gtest.h>

#include "lib/core/BKTest.h"
#include "lib/core/KeyValueTypes.h"

using namespace Brenik;

TEST(KeyValueType, RemembersTheTypeOfTheLastValue)
{
    KeyValueType pair;
    EXPECT_EQ("", pair.GetKey());
    EXPECT_EQ("", pair.GetValue().ToString());
    EXPECT_EQ(KeyValueType::kTypeCasts, pair.GetDataType());

    struct Case {
        std::function<void(KeyValueType&)> set;
        KeyValueType::DataType type;
        const char* text;
    };
    const Case cases[] = {
        {[](KeyValueType& p) { p.SetValue(wxString("text")); }, KeyValueType::kTypeString, "text"},
        {[](KeyValueType& p) { p.SetValue(true); }, KeyValueType::kTypeBool, "true"},
        {[](KeyValueType& p) { p.SetValue(static_cast<short>(-2)); }, KeyValueType::kTypeShort,
         "-2"},
        {[](KeyValueType& p) { p.SetValue(static_cast<unsigned short>(3)); },
         KeyValueType::kTypeUnsignedShort, "3"},
        {[](KeyValueType& p) { p.SetValue(-4); }, KeyValueType::kTypeInt, "-4"},
        {[](KeyValueType& p) { p.SetValue(5u); }, KeyValueType::kTypeUnsignedInt, "5"},
        {[](KeyValueType& p) { p.SetValue(-6l); }, KeyValueType::kTypeLong, "-6"},
        {[](KeyValueType& p) { p.SetValue(7ul); }, KeyValueType::kTypeUnsignedLong, "7"},
        {[](KeyValueType& p) { p.SetValue("chars"); }, KeyValueType::kTypeChar, "chars"},
        {[](KeyValueType& p) { p.SetValue(BKCurrency(8.5)); }, KeyValueType::kTypeCurrency, "8,50"},
        {[](KeyValueType& p) { p.SetValue(BKDateTime(wxString("2008-03-07 09:05:00"), L'-')); },
         KeyValueType::kTypeDateTime, "2008-03-07 09:05:00"},
        {[](KeyValueType& p) { p.SetValue(BKCasts("casts")); }, KeyValueType::kTypeCasts, "casts"},
    };
    for (const Case& c : cases) {
        c.set(pair);
        EXPECT_EQ(c.type, pair.GetDataType()) << c.text;
        EXPECT_EQ(c.text, pair.GetValue().ToString());
    }
    pair.SetValue(1.5f);
    EXPECT_EQ(KeyValueType::kTypeFloat, pair.GetDataType());
    pair.SetValue(1.5);
    EXPECT_EQ(KeyValueType::kTypeDouble, pair.GetDataType());
    EXPECT_DOUBLE_EQ(1.5, pair.GetValue().ToDouble());
    pair.SetDataType(KeyValueType::kTypeBool);
    EXPECT_EQ(KeyValueType::kTypeBool, pair.GetDataType());

    // A new pair starts as BKCasts whatever the value.
    EXPECT_EQ(KeyValueType::kTypeCasts, KeyValueType("k", 3).GetDataType());
    EXPECT_EQ(KeyValueType::kTypeCasts, KeyValueType("k", true).GetDataType());
    EXPECT_EQ("3", KeyValueType("k", 3).GetValue().ToString());
    EXPECT_EQ("\"Name\" => \"Anna\"", KeyValueType("Name", "Anna").ToString());
    EXPECT_EQ("\"\" => \"\"", KeyValueType().ToString());
}

TEST(KeyValueTypes, PushOverwritesInPlace)
{
    KeyValueTypes list(true);
    list.Push("a", 1);
    list.Push("b", wxString("two"));
    list.Push("a", true);
    EXPECT_EQ(2u, list.Count());
    ASSERT_NE(nullptr, list.PullKeyValueType(0u));
    EXPECT_EQ("a", list.PullKeyValueType(0u)->GetKey());
    EXPECT_EQ("true", list.Pull("a").ToString());
    EXPECT_EQ(KeyValueType::kTypeBool, list.PullKeyValueType("a")->GetDataType());
    EXPECT_EQ("two", list.Pull(1u).ToString());

    list.Push("c", static_cast<short>(1));
    list.Push("d", static_cast<unsigned short>(2));
    list.Push("e", 3u);
    list.Push("f", 4l);
    list.Push("g", 5ul);
    list.Push("h", 0.5f);
    list.Push("i", 0.25);
    list.Push("j", "chars");
    list.Push("k", BKCurrency(1));
    list.Push("l", BKDateTime(wxString("2008-03-07 09:05:00"), L'-'));
    list.Push("m", BKCasts("casts"));
    EXPECT_EQ(13u, list.Count());
    EXPECT_EQ(KeyValueType::kTypeDateTime, list.PullKeyValueType("l")->GetDataType());
    EXPECT_EQ(KeyValueType::kTypeCasts, list.PullKeyValueType("m")->GetDataType());
    EXPECT_EQ("1,00", list.Pull("k").ToString());
    EXPECT_EQ("m", list.PullKeyValueType(12u)->GetKey());
}

TEST(KeyValueTypes, LookupsOfMissingPairsGiveNothing)
{
    KeyValueTypes list(true);
    list.Push("a", 1);
    EXPECT_EQ("", list.Pull("missing").ToString());
    EXPECT_EQ("", list.Pull(1u).ToString());
    EXPECT_EQ(nullptr, list.PullKeyValueType(list.Count()));
    EXPECT_EQ(nullptr, list.PullKeyValueType("missing"));
    EXPECT_TRUE(list.Exists("a"));
    EXPECT_FALSE(list.Exists("A"));
    EXPECT_FALSE(list.Delete("missing"));
    EXPECT_FALSE(list.Delete(1u));
}

TEST(KeyValueTypes, PushKeyValueTypeKeepsKeysUnique)
{
    KeyValueTypes list(true);
    KeyValueType* first = new KeyValueType("key", "first");
    EXPECT_TRUE(list.PushKeyValueType(first, true));
    EXPECT_FALSE(list.PushKeyValueType(nullptr, true));

    // A second pair with the key is refused and, on request, deleted (the sanitizer build
    // would report a leak otherwise).
    EXPECT_FALSE(list.PushKeyValueType(new KeyValueType("key", "second"), true));
    KeyValueType kept("key", "kept");
    EXPECT_FALSE(list.PushKeyValueType(&kept, false));
    EXPECT_EQ("first", list.Pull("key").ToString());
    EXPECT_EQ(1u, list.Count());

    // Pushing the pair the list holds must not delete it under the list.
    EXPECT_FALSE(list.PushKeyValueType(first, true));
    EXPECT_EQ("first", list.PullKeyValueType(0u)->GetValue().ToString());

    KeyValueType* created = list.GetOrCreate("new", "value");
    ASSERT_NE(nullptr, created);
    EXPECT_EQ("value", created->GetValue().ToString());
    EXPECT_EQ(KeyValueType::kTypeCasts, created->GetDataType());
    EXPECT_EQ(created, list.GetOrCreate("new", "other"));
    EXPECT_EQ("value", list.Pull("new").ToString());
    EXPECT_EQ(first, list.GetOrCreate("key", "ignored"));
    EXPECT_EQ(2u, list.Count());
}

TEST(KeyValueTypes, DeleteRemovesAndOwnsByTheFlag)
{
    KeyValueTypes owner(true);
    EXPECT_TRUE(owner.IsAutoCleanUp());
    owner.Push("a", 1);
    owner.Push("b", 2);
    owner.Push("c", 3);
    EXPECT_TRUE(owner.Delete(1u));
    EXPECT_EQ("c", owner.PullKeyValueType(1u)->GetKey());
    EXPECT_TRUE(owner.Delete("a"));
    EXPECT_EQ(1u, owner.Count());

    KeyValueType stackPair("x", 1);
    {
        KeyValueTypes holder(false);
        EXPECT_FALSE(holder.IsAutoCleanUp());
        EXPECT_TRUE(holder.PushKeyValueType(&stackPair, true));
        EXPECT_TRUE(holder.Delete("x"));
        EXPECT_EQ(0u, holder.Count());
        EXPECT_TRUE(holder.PushKeyValueType(&stackPair, true));
    }
    // Neither the removal nor the end of the holding list deleted the pair.
    EXPECT_EQ("x", stackPair.GetKey());

    KeyValueTypes switched(false);
    switched.SetAutoCleanUp(true);
    switched.Push("owned", 1);  // deleted with the list
}

TEST(KeyValueTypes, WritesPairsAsText)
{
    KeyValueTypes list(true);
    EXPECT_EQ("", list.ToString(", "));
    EXPECT_EQ("", list.NonEmptyToString(": ", "<br />"));
    list.Push("Name", "Anna");
    EXPECT_EQ("\"Name\" => \"Anna\"", list.ToString(", "));
    list.Push("Phone", "");
    list.Push("City", "Berlin");
    EXPECT_EQ("\"Name\" => \"Anna\", \"Phone\" => \"\", \"City\" => \"Berlin\"",
              list.ToString(", "));
    EXPECT_EQ("Name: Anna<br />City: Berlin", list.NonEmptyToString(": ", "<br />"));
    EXPECT_EQ("Name=AnnaCity=Berlin", list.NonEmptyToString("=", ""));

    KeyValueTypes empty(true);
    empty.Push("a", "");
    empty.Push("b", wxString());
    EXPECT_EQ("", empty.NonEmptyToString(": ", "<br />"));
}

TEST(KeyValueTypes, AppendArrayStringsNeedsMatchingArrays)
{
    KeyValueTypes list(true);
    wxArrayString keys;
    keys.Add("a");
    keys.Add("b");
    keys.Add("c");
    wxArrayString values;
    values.Add("1");
    values.Add("2");
    list.AppendArrayStrings(keys, &values);
    EXPECT_EQ(0u, list.Count());

    values.Add("3");
    list.AppendArrayStrings(keys, &values);
    EXPECT_EQ(3u, list.Count());
    EXPECT_EQ("3", list.Pull("c").ToString());
    EXPECT_EQ(KeyValueType::kTypeString, list.PullKeyValueType("c")->GetDataType());

    list.AppendArrayStrings(keys, nullptr);
    EXPECT_EQ(3u, list.Count());
    EXPECT_EQ("a", list.Pull("a").ToString());
}

TEST(KeyValueTypes, AnswersAsListAndAsSelfTest)
{
    KeyValueTypes list(true);
    EXPECT_EQ("BKContainerTemplate", list.GetClassInfo().GetName());
    EXPECT_EQ("0.8.4", list.GetClassInfo().GetVersion());
    BKTest& test = list;
    EXPECT_EQ("KeyValueTypes", test.GetTestName());
    EXPECT_EQ("BKContainerTemplate", test.GetClassInfo().GetName());
    test.__Test();
    EXPECT_EQ(0u, list.Count());

    BKTest plain("plain");
    EXPECT_EQ("plain", plain.GetTestName());
    EXPECT_EQ("BKTest", plain.GetClassInfo().GetName());
    EXPECT_EQ("0.0.2", plain.GetClassInfo().GetVersion());
}
