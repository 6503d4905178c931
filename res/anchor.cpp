namespace tonel::res { void templatesAnchor() {} }
