// ImageList and its images.
#include "platform/controls/imagelist.h"

namespace qv {

ListImage& ListImageList::Add(std::optional<int> index, const QString& key, const QPixmap& picture)
{
    return insert(index, key, std::make_unique<ListImage>(picture));
}

QIcon ImageList::icon(int index) const
{
    if (index < 1 || index > m_images.Count())
        return QIcon();
    return QIcon(m_images(index).Picture());
}

QIcon ImageList::icon(const QString& key) const
{
    const ListImage* image = m_images.find(key);
    return image ? QIcon(image->Picture()) : QIcon();
}

} // namespace qv
