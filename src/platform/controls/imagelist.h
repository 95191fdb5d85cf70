// ImageList: pictures kept by index and key for toolbars and other controls.
#pragma once
#include "platform/controls/collection.h"
#include "platform/controls/control.h"

#include <QIcon>
#include <QPixmap>

namespace qv {

class ListImage : public CollectionItem
{
  public:
    explicit ListImage(const QPixmap& picture) : m_picture(picture) {}
    const QPixmap& Picture() const { return m_picture; }

  private:
    QPixmap m_picture;
};

class ListImageList : public KeyedCollection<ListImage>
{
  public:
    ListImage& Add(std::optional<int> index = {}, const QString& key = {}, const QPixmap& picture = {});
    void Remove(int index) { take(index); }
    void Remove(const QString& key) { take(Item(key).Index()); }
    void Clear() { takeAll(); }
};

class ImageList : public Control
{
  public:
    ImageList(Form* form, const QString& name, int index = -1) : Control(form, name, index) {}
    QString TypeName() const override { return QStringLiteral("ImageList"); }
    ListImageList& ListImages() { return m_images; }
    const ListImageList& ListImages() const { return m_images; }
    // The picture of an image by 1-based index or key (null when there is none).
    QIcon icon(int index) const;
    QIcon icon(const QString& key) const;

  private:
    ListImageList m_images;
};

} // namespace qv
