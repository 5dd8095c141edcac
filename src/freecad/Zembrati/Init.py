# The Zembrati workbench: standard steel sections as FreeCAD parts. Runs at FreeCAD's start,
# with or without its GUI: a document that becomes active (as an opened one does, once it is
# read) gets back the proxies of steel parts and joints saved without the workbench.
import FreeCAD


class _RestoreProxies:
    def slotActivateDocument(self, doc):
        import zembrati_part
        from zembrati_workbench import joints
        zembrati_part.attach_proxies(doc)
        joints.attach_proxies(doc)


FreeCAD.addDocumentObserver(_RestoreProxies())
