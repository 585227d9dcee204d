// Run-time class information: names, creation by class, and kind tests over a small
// hierarchy, and the library's own classes in it.
#include "classlib/Afx.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class Animal : public CObject {
    DECLARE_DYNAMIC(Animal)
};
IMPLEMENT_DYNAMIC(Animal, CObject)

class Dog : public Animal {
    DECLARE_DYNCREATE(Dog)
public:
    int legs = 4;
};
IMPLEMENT_DYNCREATE(Dog, Animal)

class Puppy : public Dog {
    DECLARE_DYNCREATE(Puppy)
};
IMPLEMENT_DYNCREATE(Puppy, Dog)

class Cat : public Animal {
    DECLARE_DYNCREATE(Cat)
};
IMPLEMENT_DYNCREATE(Cat, Animal)

TEST(CObject, IsKindOfFollowsTheBaseClasses)
{
    Puppy puppy;
    Cat cat;
    struct Case {
        const char* name;
        const CObject* object;
        CRuntimeClass* cls;
        BOOL want;
    } cases[] = {
        {"own class", &puppy, RUNTIME_CLASS(Puppy), TRUE},
        {"base", &puppy, RUNTIME_CLASS(Dog), TRUE},
        {"base of base", &puppy, RUNTIME_CLASS(Animal), TRUE},
        {"root", &puppy, RUNTIME_CLASS(CObject), TRUE},
        {"sibling", &puppy, RUNTIME_CLASS(Cat), FALSE},
        {"derived", &cat, RUNTIME_CLASS(Puppy), FALSE},
        {"base is no derived", &cat, RUNTIME_CLASS(Dog), FALSE},
        {"null class", &cat, nullptr, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.want, c.object->IsKindOf(c.cls));
    }
    const CObject* asObject = &puppy;
    EXPECT_EQ(RUNTIME_CLASS(Puppy), asObject->GetRuntimeClass());
}

TEST(CObject, CreateObjectMakesTheNamedClass)
{
    struct Case {
        const char* name;
        CRuntimeClass* cls;
        const char* className;
        bool creatable;
    } cases[] = {
        {"dyncreate", RUNTIME_CLASS(Dog), "Dog", true},
        {"dyncreate derived", RUNTIME_CLASS(Puppy), "Puppy", true},
        {"dynamic only", RUNTIME_CLASS(Animal), "Animal", false},
        {"root", RUNTIME_CLASS(CObject), "CObject", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::string(c.className), c.cls->m_lpszClassName);
        CObject* object = c.cls->CreateObject();
        EXPECT_EQ(c.creatable, object != nullptr);
        if (object) {
            EXPECT_EQ(c.cls, object->GetRuntimeClass());
            delete object;
        }
    }
    CObject* dog = RUNTIME_CLASS(Puppy)->CreateObject();
    ASSERT_TRUE(dog->IsKindOf(RUNTIME_CLASS(Dog)));
    EXPECT_EQ(4, static_cast<Dog*>(dog)->legs);
    EXPECT_EQ(static_cast<int>(sizeof(Puppy)), RUNTIME_CLASS(Puppy)->m_nObjectSize);
    delete dog;
}

TEST(CObject, LibraryClassesChainToTheRoot)
{
    EXPECT_TRUE(RUNTIME_CLASS(CWinApp)->IsDerivedFrom(RUNTIME_CLASS(CWinThread)));
    EXPECT_TRUE(RUNTIME_CLASS(CWinThread)->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(RUNTIME_CLASS(CCmdTarget)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CCmdTarget)->IsDerivedFrom(RUNTIME_CLASS(CWinThread)));
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CCmdTarget)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_STREQ("CWinThread", RUNTIME_CLASS(CWinThread)->m_lpszClassName);
}

}  // namespace
